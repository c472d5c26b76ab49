// bare_webview PAGE: a plain window with a Qt WebEngine view that loads PAGE
// at once, printing the same timing marks as the program under
// DATAVIND_TIMING. It is what the start-up benchmark compares against.

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineView>
#include <QWindow>

#include <cstdio>

namespace {

void mark(const char* milestone) {
    static bool shown = false, loaded = false;
    bool& seen = milestone[0] == 's' ? shown : loaded;
    if (seen)
        return;
    seen = true;
    std::fprintf(stderr, "datavind-timing %s %lld\n", milestone,
                 static_cast<long long>(QDateTime::currentMSecsSinceEpoch()));
    std::fflush(stderr);
}

// The view covers the whole window and paints through a surface of its own,
// so the window counts as shown when the window system first exposes it.
class ExposeWatch : public QObject {
  protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed())
            mark("shown");
        return false;
    }
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: bare_webview PAGE\n");
        return 2;
    }
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare"));
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* view = new QWebEngineView(&window);
    layout->addWidget(view);
    window.resize(784, 432);
    QObject::connect(view, &QWebEngineView::loadFinished, [] { mark("loaded"); });
    view->load(QUrl::fromUserInput(QString::fromLocal8Bit(argv[1]), QDir::currentPath(),
                                   QUrl::AssumeLocalFile));
    ExposeWatch watch;
    window.show();
    window.windowHandle()->installEventFilter(&watch);
    return app.exec();
}
