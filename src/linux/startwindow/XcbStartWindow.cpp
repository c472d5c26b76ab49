#include "linux/startwindow/XcbStartWindow.h"

#include "core/shell/MainWindowLayout.h"

#include <xcb/randr.h>
#include <xcb/shape.h>

#include <bit>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include <unistd.h>

namespace dv {

namespace {

constexpr std::uint16_t kCursorWatch = 150; // the cursor font's busy glyph
constexpr int kBarBlock = 48;
constexpr int kBarPixelsPerStep = 6;

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t a = reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    std::free(reply);
    return a;
}

void setProperty(xcb_connection_t* c, xcb_window_t w, xcb_atom_t property, xcb_atom_t type,
                 std::uint8_t format, std::uint32_t count, const void* data) {
    if (property != XCB_ATOM_NONE && type != XCB_ATOM_NONE)
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, property, type, format, count, data);
}

// The place of the screen the window goes on: RandR's primary monitor, or
// the whole root window where there is none.
xcb_rectangle_t primaryMonitor(xcb_connection_t* c, const xcb_screen_t* screen) {
    xcb_rectangle_t whole{0, 0, screen->width_in_pixels, screen->height_in_pixels};
    xcb_randr_get_output_primary_reply_t* primary = xcb_randr_get_output_primary_reply(
        c, xcb_randr_get_output_primary(c, screen->root), nullptr);
    if (!primary)
        return whole;
    xcb_randr_get_output_info_reply_t* output = xcb_randr_get_output_info_reply(
        c, xcb_randr_get_output_info(c, primary->output, XCB_CURRENT_TIME), nullptr);
    std::free(primary);
    if (!output)
        return whole;
    xcb_randr_get_crtc_info_reply_t* crtc =
        output->crtc ? xcb_randr_get_crtc_info_reply(
                           c, xcb_randr_get_crtc_info(c, output->crtc, XCB_CURRENT_TIME), nullptr)
                     : nullptr;
    std::free(output);
    if (!crtc)
        return whole;
    if (crtc->width > 0 && crtc->height > 0)
        whole = {crtc->x, crtc->y, crtc->width, crtc->height};
    std::free(crtc);
    return whole;
}

} // namespace

XcbStartWindow::XcbStartWindow(xcb_connection_t* connection) : connection_(connection) {}

XcbStartWindow::XcbStartWindow(XcbStartWindow&& other) noexcept
    : connection_(std::exchange(other.connection_, nullptr)), screen_(other.screen_),
      depth_(other.depth_), redShift_(other.redShift_), greenShift_(other.greenShift_),
      blueShift_(other.blueShift_), window_(other.window_), picture_(other.picture_),
      gc_(other.gc_), width_(other.width_), height_(other.height_), exposed_(other.exposed_),
      reportedPainted_(other.reportedPainted_), barStep_(other.barStep_) {}

XcbStartWindow::~XcbStartWindow() {
    if (!connection_)
        return;
    if (window_)
        xcb_destroy_window(connection_, window_);
    if (picture_)
        xcb_free_pixmap(connection_, picture_);
    xcb_flush(connection_);
    xcb_disconnect(connection_);
}

std::optional<XcbStartWindow> XcbStartWindow::open(const StartWindowPicture& picture) {
    int screenNumber = 0;
    xcb_connection_t* c = xcb_connect(nullptr, &screenNumber);
    XcbStartWindow window(c);
    if (xcb_connection_has_error(c) || !window.create(picture))
        return std::nullopt;
    return window;
}

bool XcbStartWindow::create(const StartWindowPicture& picture) {
    xcb_connection_t* c = connection_;
    const xcb_setup_t* setup = xcb_get_setup(c);
    screen_ = xcb_setup_roots_iterator(setup).data;
    if (!screen_)
        return false;

    // True colour with 8 bits a channel, 32 bits a pixel: every desktop of
    // the last twenty years. Anything else gets no start window.
    const xcb_visualtype_t* visual = nullptr;
    for (auto d = xcb_screen_allowed_depths_iterator(screen_); d.rem && !visual;
         xcb_depth_next(&d)) {
        if (d.data->depth != screen_->root_depth)
            continue;
        for (auto v = xcb_depth_visuals_iterator(d.data); v.rem; xcb_visualtype_next(&v))
            if (v.data->visual_id == screen_->root_visual)
                visual = v.data;
    }
    if (!visual || visual->_class != XCB_VISUAL_CLASS_TRUE_COLOR || visual->bits_per_rgb_value != 8)
        return false;
    bool thirtyTwoBits = false;
    for (auto f = xcb_setup_pixmap_formats_iterator(setup); f.rem; xcb_format_next(&f))
        if (f.data->depth == screen_->root_depth)
            thirtyTwoBits = f.data->bits_per_pixel == 32;
    if (!thirtyTwoBits)
        return false;
    for (const std::uint32_t mask : {visual->red_mask, visual->green_mask, visual->blue_mask})
        if (std::popcount(mask) != 8)
            return false;
    depth_ = screen_->root_depth;
    redShift_ = static_cast<std::uint32_t>(std::countr_zero(visual->red_mask));
    greenShift_ = static_cast<std::uint32_t>(std::countr_zero(visual->green_mask));
    blueShift_ = static_cast<std::uint32_t>(std::countr_zero(visual->blue_mask));

    width_ = picture.width();
    height_ = picture.height();
    const auto w = static_cast<std::uint16_t>(width_);
    const auto h = static_cast<std::uint16_t>(height_);

    // The picture goes to the server once, into a pixmap; the window is
    // drawn from it.
    picture_ = xcb_generate_id(c);
    xcb_create_pixmap(c, depth_, picture_, screen_->root, w, h);
    gc_ = xcb_generate_id(c);
    const std::uint32_t noExposures = 0;
    xcb_create_gc(c, gc_, picture_, XCB_GC_GRAPHICS_EXPOSURES, &noExposures);
    const bool lsbFirst = setup->image_byte_order == XCB_IMAGE_ORDER_LSB_FIRST;
    const std::uint32_t maxRequestBytes = xcb_get_maximum_request_length(c) * 4;
    const int rowBytes = width_ * 4;
    const int rowsPerRequest = std::max(
        1, static_cast<int>((maxRequestBytes - 64) / static_cast<std::uint32_t>(rowBytes)));
    std::vector<std::uint8_t> rows;
    for (int y = 0; y < height_; y += rowsPerRequest) {
        const int n = std::min(rowsPerRequest, height_ - y);
        rows.assign(static_cast<std::size_t>(n * rowBytes), 0);
        std::uint8_t* out = rows.data();
        for (int row = y; row < y + n; ++row)
            for (int x = 0; x < width_; ++x, out += 4) {
                const std::uint32_t p = pixelOf(picture.pixel(x, row));
                for (int i = 0; i < 4; ++i)
                    out[i] = static_cast<std::uint8_t>(p >> (lsbFirst ? 8 * i : 8 * (3 - i)));
            }
        xcb_put_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, picture_, gc_, w, static_cast<std::uint16_t>(n),
                      0, static_cast<std::int16_t>(y), 0, depth_,
                      static_cast<std::uint32_t>(rows.size()), rows.data());
    }

    const xcb_rectangle_t monitor = primaryMonitor(c, screen_);
    const auto x = static_cast<std::int16_t>(monitor.x + (monitor.width - width_) / 2);
    const auto y = static_cast<std::int16_t>(monitor.y + (monitor.height - height_) / 2);

    // A busy cursor from the server's own cursor font.
    const xcb_font_t cursorFont = xcb_generate_id(c);
    xcb_open_font(c, cursorFont, 6, "cursor");
    const xcb_cursor_t cursor = xcb_generate_id(c);
    xcb_create_glyph_cursor(c, cursor, cursorFont, cursorFont, kCursorWatch, kCursorWatch + 1, 0, 0,
                            0, 0xffff, 0xffff, 0xffff);
    xcb_close_font(c, cursorFont);

    window_ = xcb_generate_id(c);
    const std::uint32_t values[] = {
        XCB_BACK_PIXMAP_NONE, XCB_EVENT_MASK_EXPOSURE | XCB_EVENT_MASK_STRUCTURE_NOTIFY, cursor};
    xcb_create_window(c, depth_, window_, screen_->root, x, y, w, h, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen_->root_visual,
                      XCB_CW_BACK_PIXMAP | XCB_CW_EVENT_MASK | XCB_CW_CURSOR, values);
    xcb_free_cursor(c, cursor);

    // The program's own window has these: the hand-over is not seen.
    const std::string title = layout::kWindowCaption;
    setProperty(c, window_, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                static_cast<std::uint32_t>(title.size()), title.data());
    setProperty(c, window_, atom(c, "_NET_WM_NAME"), atom(c, "UTF8_STRING"), 8,
                static_cast<std::uint32_t>(title.size()), title.data());
    static constexpr char kClass[] = "datavind\0datavind";
    setProperty(c, window_, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8, sizeof(kClass), kClass);
    const auto pid = static_cast<std::uint32_t>(::getpid());
    setProperty(c, window_, atom(c, "_NET_WM_PID"), XCB_ATOM_CARDINAL, 32, 1, &pid);
    // No frame (Motif hints: decorations given, none of them).
    const std::uint32_t motif[5] = {2, 0, 0, 0, 0};
    const xcb_atom_t motifAtom = atom(c, "_MOTIF_WM_HINTS");
    setProperty(c, window_, motifAtom, motifAtom, 32, 5, motif);
    // Its place and size are its own.
    std::uint32_t sizeHints[18] = {};
    sizeHints[0] = 1 | 4 | 16 | 32; // USPosition, PPosition, PMinSize, PMaxSize
    sizeHints[1] = static_cast<std::uint32_t>(x);
    sizeHints[2] = static_cast<std::uint32_t>(y);
    sizeHints[3] = sizeHints[5] = sizeHints[7] = w;
    sizeHints[4] = sizeHints[6] = sizeHints[8] = h;
    setProperty(c, window_, XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS, 32, 18, sizeHints);

    // The skin's outline: the corners are holes, as in the program's window.
    const xcb_query_extension_reply_t* shape = xcb_get_extension_data(c, &xcb_shape_id);
    if (shape && shape->present) {
        std::vector<xcb_rectangle_t> rects;
        for (const PictureRun& run : picture.visibleRuns())
            rects.push_back({static_cast<std::int16_t>(run.x), static_cast<std::int16_t>(run.y),
                             static_cast<std::uint16_t>(run.width), 1});
        xcb_shape_rectangles(c, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_BOUNDING,
                             XCB_CLIP_ORDERING_YX_BANDED, window_, 0, 0,
                             static_cast<std::uint32_t>(rects.size()), rects.data());
    }
    xcb_map_window(c, window_);
    xcb_flush(c);
    return !xcb_connection_has_error(c);
}

int XcbStartWindow::fileDescriptor() const {
    return xcb_get_file_descriptor(connection_);
}

std::uint32_t XcbStartWindow::pixelOf(std::uint32_t rgb) const {
    return ((rgb >> 16) & 0xff) << redShift_ | ((rgb >> 8) & 0xff) << greenShift_ |
           (rgb & 0xff) << blueShift_;
}

void XcbStartWindow::paint() {
    xcb_copy_area(connection_, picture_, window_, gc_, 0, 0, 0, 0,
                  static_cast<std::uint16_t>(width_), static_cast<std::uint16_t>(height_));
    paintBar();
}

void XcbStartWindow::paintBar() {
    // A block going to and fro inside a sunken frame, as a busy progress bar.
    const Rect& bar = layout::kDocumentProgress;
    const int inner = bar.width - 2;
    const int travel = inner - kBarBlock;
    const int period = 2 * travel;
    const int at = (barStep_ * kBarPixelsPerStep) % period;
    const int offset = at <= travel ? at : period - at;
    const auto rect = [](int x, int y, int w, int h) {
        return xcb_rectangle_t{static_cast<std::int16_t>(x), static_cast<std::int16_t>(y),
                               static_cast<std::uint16_t>(w), static_cast<std::uint16_t>(h)};
    };
    const auto fill = [&](std::uint32_t rgb, xcb_rectangle_t r) {
        const std::uint32_t pixel = pixelOf(rgb);
        xcb_change_gc(connection_, gc_, XCB_GC_FOREGROUND, &pixel);
        xcb_poly_fill_rectangle(connection_, window_, gc_, 1, &r);
    };
    fill(0xa0a0a0, rect(bar.left, bar.top, bar.width, bar.height));
    fill(0xffffff, rect(bar.left + 1, bar.top + 1, inner, bar.height - 2));
    fill(0x3072c0, rect(bar.left + 1 + offset, bar.top + 1, kBarBlock, bar.height - 2));
}

bool XcbStartWindow::update(bool* painted) {
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
        if ((event->response_type & 0x7f) == XCB_EXPOSE) {
            exposed_ = true;
            paint();
        }
        std::free(event);
    }
    if (xcb_connection_has_error(connection_))
        return false;
    if (exposed_) {
        ++barStep_;
        paintBar();
    }
    xcb_flush(connection_);
    if (exposed_ && !reportedPainted_) {
        // A round trip: the server has drawn what came before it.
        std::free(
            xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
        reportedPainted_ = true;
    }
    *painted = reportedPainted_;
    return !xcb_connection_has_error(connection_);
}

} // namespace dv
