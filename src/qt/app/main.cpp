// Process entry: the application, its windows in their order, the message loop.

#include "qt/app/DatavindApplication.h"
#include "qt/app/DiscWindows.h"
#include "qt/app/QtMessageBoxes.h"
#include "qt/app/SplashHandOver.h"
#include "qt/browser/CommandScheme.h"

int main(int argc, char** argv) {
    // Both must be said before the application object exists: Qt WebEngine
    // shares its GL contexts with the widgets, and schemes are fixed at start.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    dv::qt::registerCommandScheme();
    dv::qt::DatavindApplication app(argc, argv);

    dv::qt::QtMessageBoxes boxes;
    app.setErrorReport(&boxes);

    dv::qt::DiscWindows windows({&boxes, {}, {}});
    boxes.setOwner(windows.form1.get());

    dv::qt::SplashHandOver splash(windows.form1.get());
    windows.form1->show();
    return app.exec();
}
