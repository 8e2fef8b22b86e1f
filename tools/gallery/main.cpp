// The developer's gallery of the user-interface components: each one with
// sample data from a copy of the tests' template database.
//
//   zuno-gallery              the windows, to look at and try
//   zuno-gallery --shots DIR  a picture of each window in DIR, then ends
#include "GalleryWindows.h"
#include "TestEnv.h"

#include "core/uDialogs.h"
#include "db/uProjectDB.h"
#include "ui/SListViewDB.h"
#include "ui/fInputBox.h"

#include <QApplication>
#include <QDir>
#include <QMainWindow>
#include <QMdiArea>
#include <QTabWidget>
#include <QTimer>

#include <cstdio>

namespace {

void shoot(QWidget* window, const QString& dir, const QString& name)
{
    QApplication::processEvents();
    const QString path = dir + QLatin1Char('/') + name + QStringLiteral(".png");
    if (!window->grab().save(path))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    const int shotsAt = static_cast<int>(args.indexOf(QStringLiteral("--shots")));
    const QString shots = shotsAt > 0 ? args.value(shotsAt + 1) : QString();
    if (qEnvironmentVariableIsEmpty("ZUNO_TEMPLATE_DB"))
        qputenv("ZUNO_TEMPLATE_DB", ZUNO_TEMPLATE_DB_PATH);

    TestEnv env; // a private data folder and registry, like a test's
    Dialogs::setTestMode(false);
    auto project = env.openProject();

    QMainWindow main;
    main.setWindowTitle(QStringLiteral("ZUNO – galerie komponent"));
    auto* area = new QMdiArea(&main);
    main.setCentralWidget(area);
    main.resize(1000, 680);
    main.show();

    TfrmGalerieSeznam list;
    list.ShowInMdi(area)->resize(700, 420);
    TfrmGalerieVelky big;
    big.ShowInMdi(area)->move(420, 230);
    TfrmGalerieKarta card(&main);
    TfrmInputBox input(&main);
    input.Prepare(QStringLiteral("Číselník"), QStringLiteral("Položka"), QStringLiteral("Hřiště u řeky"));

    if (shots.isEmpty()) {
        QTimer::singleShot(0, &card, [&card] { card.OpenDetail(1); });
        return app.exec();
    }
    QDir().mkpath(shots);
    list.List()->SelectID(4);
    shoot(&main, shots, QStringLiteral("mdi"));
    shoot(&list, shots, QStringLiteral("seznam"));
    shoot(&big, shots, QStringLiteral("velky-seznam"));
    QTimer::singleShot(0, &card, [&] {
        shoot(&card, shots, QStringLiteral("karta"));
        card.findChild<QTabWidget*>(QStringLiteral("pcKarta"))->setCurrentIndex(1);
        shoot(&card, shots, QStringLiteral("karta-seznamy"));
        card.reject();
    });
    card.OpenDetail(1);
    QTimer::singleShot(0, &input, [&] {
        shoot(&input, shots, QStringLiteral("vstup"));
        input.reject();
    });
    input.ShowModal();
    std::printf("pictures in %s\n", qPrintable(shots));
    return 0;
}
