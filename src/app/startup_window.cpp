#include "app/startup_window.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

#include "app/main_window.h"
#include "app/splash_window.h"
#include "ui/widget_dialogs.h"

namespace tunnel {

void InstallChineseTranslations(QApplication &app) {
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const char *name : {"qtbase_zh_CN", "qt_zh_CN"}) {
        auto *translator = new QTranslator(&app);
        if (translator->load(QString::fromLatin1(name), folder))
            QCoreApplication::installTranslator(translator);
        else
            delete translator;
    }
}

int RunProgram(QApplication &app) {
    InstallChineseTranslations(app);
    app.setQuitOnLastWindowClosed(false);
    app.setWindowIcon(QIcon(QStringLiteral(":/pictures/icon.png")));
    static WidgetDialogs dialogs;
    const QString folder = QCoreApplication::applicationDirPath();
    auto *splash = new SplashWindow;
    QObject::connect(splash, &SplashWindow::finished, [folder] {
        auto *main = new MainWindow(dialogs, folder);
        main->show();
    });
    splash->show();
    return app.exec();
}

}  // namespace tunnel
