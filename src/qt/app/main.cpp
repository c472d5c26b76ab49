// Process entry: the main window first (it sets the disc root that the file
// search window reads), then the secondary windows, none of them shown, then
// the message loop.

#include "app/DatavindApplication.h"
#include "app/QtMessageBoxes.h"
#include "browser/TExtraInfoForm.h"
#include "browser/TProgStartingForm.h"
#include "filesearch/TFileSearchForm.h"
#include "shell/TForm1.h"
#include "shell/TForm2.h"
#include "update/TAutoUpdateSettingsForm.h"

int main(int argc, char** argv) {
    // Qt WebEngine shares its GL contexts with the widgets; it must be said
    // before the application object exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    dv::qt::DatavindApplication app(argc, argv);

    dv::qt::QtMessageBoxes boxes;
    app.setErrorReport(&boxes);

    dv::qt::TForm1 form1({&boxes, {}, {}});
    boxes.setOwner(&form1);

    dv::qt::TFileSearchForm fileSearch(form1.discRoot());
    dv::qt::TProgStartingForm progStarting;
    dv::qt::TAutoUpdateSettingsForm autoUpdateSettings;
    dv::qt::TExtraInfoForm extraInfo;
    dv::qt::TForm2 form2;

    form1.show();
    return app.exec();
}
