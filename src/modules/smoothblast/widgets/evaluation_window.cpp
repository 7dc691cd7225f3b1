#include "modules/smoothblast/widgets/evaluation_window.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "widgets/text_box.h"
#include "widgets/text_label.h"

namespace tunnel {

EvaluationWindow::EvaluationWindow(Dialogs &dialogs, QString dataFolder, QWidget *parent)
    : CalcWindow(EvaluationTable(), dialogs, std::move(dataFolder), Layout::None, parent) {
    // No parameter file and no report: no menu and no progress bar.
    menuBar()->hide();
    ProgressBar()->hide();

    auto *heading = new TextLabel(QStringLiteral("隧道爆破效果评价"), centralWidget());
    heading->setObjectName(kEvaluationHeading);
    QFont headingFont = heading->font();
    headingFont.setPointSize(14);
    headingFont.setBold(true);
    heading->setFont(headingFont);
    heading->setAlignment(Qt::AlignCenter);

    m_rockClass = new QComboBox(centralWidget());
    m_rockClass->setObjectName(kEvaluationRockClass);
    m_rockClass->addItems(RockClasses());
    m_rockClass->setCurrentIndex(-1);
    connect(m_rockClass, &QComboBox::currentIndexChanged, this, [this] { RockClassChosen(*this); });

    m_verdict = static_cast<TextBox *>(Unit(kEvaluationVerdict));
    // A dark face keeps the green, yellow and red verdicts readable.
    SetBackColor(kEvaluationVerdict, Rgb{28, 36, 44});
    m_verdict->setMinimumHeight(110);

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(8);
    grid->addWidget(new TextLabel(QStringLiteral("围岩条件"), centralWidget()), 0, 0);
    grid->addWidget(m_rockClass, 0, 1);
    int row = 1;
    for (const char *id : {kEvaluationRemaining, kEvaluationTotal}) {
        grid->addWidget(FieldLabel(id), row, 0);
        grid->addWidget(Unit(id), row, 1);
        ++row;
    }
    grid->addWidget(FieldLabel(kEvaluationFactor), row, 0);
    auto *factorRow = new QHBoxLayout;
    factorRow->addWidget(Unit(kEvaluationFactor), 1);
    factorRow->addWidget(new TextLabel(QStringLiteral("%"), centralWidget()));
    grid->addLayout(factorRow, row, 1);
    grid->setColumnStretch(1, 1);

    QPushButton *evaluate = Button(kEvaluationButton);
    evaluate->setEnabled(true);
    evaluate->setMinimumHeight(30);
    connect(evaluate, &QPushButton::clicked, this, [this] { ShowVerdict(EvaluateBlast(*this)); });

    auto *main = new QVBoxLayout(centralWidget());
    main->setContentsMargins(16, 12, 16, 14);
    main->setSpacing(10);
    main->addWidget(heading);
    main->addLayout(grid);
    main->addWidget(evaluate);
    main->addWidget(FieldLabel(kEvaluationVerdict));
    main->addWidget(m_verdict, 1);

    setTabOrder(m_rockClass, Unit(kEvaluationRemaining));
    setTabOrder(Unit(kEvaluationRemaining), Unit(kEvaluationTotal));
    setTabOrder(Unit(kEvaluationTotal), evaluate);
    setTabOrder(evaluate, m_verdict);

    setFixedSize(440, 430);
    m_verdict->setFocus();
}

void EvaluationWindow::ShowVerdict(const Verdict &verdict) {
    SetText(kEvaluationVerdict, verdict.text);
    SetTextColor(kEvaluationVerdict, verdict.colour);
    QFont font = m_verdict->font();
    font.setPointSize(verdict.points);
    m_verdict->setFont(font);
}

bool EvaluationWindow::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::FocusIn) {
        if (watched == Unit(kEvaluationTotal))
            ShowVerdict(TotalHolesHint());
        else if (watched == Unit(kEvaluationRemaining))
            ShowVerdict(RemainingHolesHint());
    }
    return CalcWindow::eventFilter(watched, event);
}

}  // namespace tunnel
