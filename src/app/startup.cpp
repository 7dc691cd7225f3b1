#include "app/startup.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

#include "app/main_window.h"
#include "app/splash_window.h"
#include "core/data_location.h"
#include "widgets/widget_dialogs.h"

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
    // The desktop entry of an installed copy, so that the desktop shows its icon.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kApplicationId));
    const QString program = QCoreApplication::applicationDirPath();
    const QString folder = DataRoot(program);
    // An installed copy makes the user's folders on first start.
    if (folder != program) {
        const QString failed = CreateDataFolders(folder);
        if (!failed.isEmpty())
            dialogs.Message(QStringLiteral("无法创建数据文件夹：%1\r\n参数文件和计算书将无法保存。")
                                .arg(QDir::toNativeSeparators(failed)),
                            QStringLiteral("信息："), Buttons::Ok, Icon::Warning);
    }
    auto *splash = new SplashWindow;
    QObject::connect(splash, &SplashWindow::finished, [folder] {
        auto *main = new MainWindow(dialogs, folder);
        main->show();
    });
    splash->show();
    return app.exec();
}

}  // namespace tunnel
