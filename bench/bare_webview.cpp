// bare_webview PAGE: a plain window with a Qt WebEngine view that loads PAGE
// at once, printing the same timing marks as the program under
// DATAVIND_TIMING. It is what the start-up benchmark compares against.

#include <QApplication>
#include <QDateTime>
#include <QUrl>
#include <QWebEngineView>

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

class View : public QWebEngineView {
protected:
    void paintEvent(QPaintEvent* e) override {
        QWebEngineView::paintEvent(e);
        mark("shown");
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
    View view;
    view.setWindowTitle(QStringLiteral("bare"));
    view.resize(784, 432);
    QObject::connect(&view, &QWebEngineView::loadFinished, [] { mark("loaded"); });
    view.load(QUrl::fromUserInput(QString::fromLocal8Bit(argv[1])));
    view.show();
    return app.exec();
}
