#include "modules/formwork/widgets/formwork_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCursor>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "core/calc_form.h"
#include "modules/formwork/core/danger_evaluation.h"
#include "modules/formwork/core/formwork.h"
#include "modules/formwork/core/lateral_pressure.h"
#include "modules/formwork/widgets/pressure_diagram_widget.h"
#include "widgets/module_window.h"
#include "widgets/picture_view.h"
#include "widgets/text_box.h"
#include "widgets/text_label.h"

namespace tunnel {

namespace {

constexpr int kInputWidth = 80;

// A row of widgets side by side, left-aligned, as one grid cell.
QHBoxLayout *Inline(std::initializer_list<QWidget *> widgets) {
    auto *row = new QHBoxLayout;
    row->setSpacing(6);
    for (QWidget *w : widgets)
        if (w) row->addWidget(w);
    row->addStretch();
    return row;
}

// Height the six evaluation boxes gain over two lines each, so that the
// verdicts show whole (seven lines at their width); a longer one scrolls.
constexpr int kEvaluationExtra = 128;

void Note(QLabel *label) {
    if (!label) return;
    label->setWordWrap(true);
    StyleAsNote(label);
}

}  // namespace

FormworkWindow::FormworkWindow(Dialogs &dialogs, QString dataFolder, QWidget *parent)
    : CalcWindow(FormworkTable(), dialogs, std::move(dataFolder), Layout::None, parent) {
    // No parameter file, so no "文件" menu.
    menuBar()->clear();
    menuBar()->hide();

    QWidget *central = centralWidget();
    m_tabs = new QTabWidget(central);
    m_tabs->setObjectName(kFormworkTabsId);
    auto *loads = new QWidget;
    auto *pressure = new QWidget;
    m_tabs->addTab(loads, QStringLiteral("施工总荷载与集中线荷载计算"));
    m_tabs->addTab(pressure, QStringLiteral("新浇混凝土作用于模板的最大侧压力标准值计算"));
    auto *frame = new QVBoxLayout(central);
    frame->setContentsMargins(4, 4, 4, 4);
    frame->addWidget(m_tabs);

    for (const FieldRow &field : FormworkTable().fields)
        if (auto *edit = qobject_cast<QLineEdit *>(Unit(field.id)))
            edit->setFixedWidth(kInputWidth);

    // The log box stands at the top right of whichever page shows.
    LogBox()->setFixedSize(304, 123);
    BuildPageLoads(loads);
    BuildPagePressure(pressure);
    m_logPlaces[0]->addWidget(LogBox());

    m_hover = new TextLabel(central);
    m_hover->setObjectName(kHoverLabelId);
    QFont hintFont = m_hover->font();
    hintFont.setPixelSize(11);
    m_hover->setFont(hintFont);
    m_hover->setStyleSheet(
        QStringLiteral("background: #ffffe1; color: black; border: 1px solid #808080;"));
    m_hover->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_hover->hide();

    m_timer = new QTimer(this);
    m_timer->setObjectName(kHoverTimerId);
    m_timer->setInterval(1000);
    connect(m_timer, &QTimer::timeout, this, [this] { HoverTick(QCursor::pos()); });
    m_timer->start();

    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int page) {
        MoveLogTo(page);
        TabChanged(*this);
    });
    // The designed size, or what a larger font needs.
    setFixedSize(QSize(964, 696 + kEvaluationExtra).expandedTo(minimumSizeHint()));
}

FormworkWindow::~FormworkWindow() = default;

void FormworkWindow::MoveLogTo(int page) {
    if (page == 1) LayOutPagePressure();
    for (QVBoxLayout *place : m_logPlaces) place->removeWidget(LogBox());
    m_logPlaces[page]->addWidget(LogBox());
    LogBox()->show();
}

QComboBox *FormworkWindow::AddQuestion(const char *id, const char *label, int group) {
    QGroupBox *box = Group(group);
    auto *combo = new QComboBox(box);
    combo->setObjectName(id);
    combo->addItems(QuestionChoices(id));
    // The answers of item 6 name the load, and show whole.
    combo->setFixedWidth(qMax(kInputWidth, combo->sizeHint().width()));
    // The answer counts at the next 计算; the focus leaves for the log box.
    connect(combo, &QComboBox::currentIndexChanged, this, [this] { LogBox()->setFocus(); });
    auto *caption = new TextLabel(label, box);
    caption->setWordWrap(true);
    QGridLayout *grid = GroupGrid(group);
    const int row = grid->rowCount();
    grid->addWidget(caption, row, 0);
    grid->addWidget(combo, row, 1, Qt::AlignLeft);
    return combo;
}

// Page 1: the drawing data and the loads on the left; the export, the log,
// the two combinations, 计算 and the sources on the right; the evaluation
// across the bottom.
void FormworkWindow::BuildPageLoads(QWidget *page) {
    auto place = [this](const char *id, QGridLayout *grid, int row, QWidget *beside = nullptr) {
        grid->addWidget(FieldLabel(id), row, 0);
        grid->addLayout(Inline({Unit(id), UnitLabel(id), beside}), row, 1);
    };
    auto small = [this](const char *id) {
        QPushButton *b = Button(id);
        b->setIcon(StandardIcon(QStyle::SP_FileDialogContentsView));
        b->setToolTip(QStringLiteral("查表"));
        return b;
    };

    QGroupBox *drawing = Group(kDrawingGroup);
    QGridLayout *g = GroupGrid(kDrawingGroup);
    g->setVerticalSpacing(4);
    place(kHeightId, g, 0);
    place(kSpanId, g, 1);
    place(kSlabId, g, 2);
    g->addWidget(FieldLabel(kBeamBId), 3, 0);
    g->addLayout(Inline({HintLabel(kBeamBId), Unit(kBeamBId), UnitLabel(kBeamBId),
                         FieldLabel(kBeamHId), Unit(kBeamHId), UnitLabel(kBeamHId)}),
                 3, 1);
    Unit(kBeamBId)->setFixedWidth(50);
    Unit(kBeamHId)->setFixedWidth(50);
    AddQuestion(kQuestion1Id,
                "是否存在高度大于支撑水平投影宽度且相对独立无联系构件的混凝土模板支撑工程",
                kDrawingGroup);
    AddQuestion(kQuestion2Id, "是否存在用于钢结构安装等满堂支撑体系", kDrawingGroup);
    PrepareQuestions(*this);
    g->setColumnStretch(0, 1);

    QGroupBox *loads = Group(kLoadGroup);
    g = GroupGrid(kLoadGroup);
    g->setVerticalSpacing(3);
    place(kG1kId, g, 0, small(kSlabWeightButtonId));
    place(kG2kId, g, 1);
    g->addWidget(FieldLabel(kG3kSlabId), 2, 0);
    g->addLayout(Inline({HintLabel(kG3kSlabId), Unit(kG3kSlabId), UnitLabel(kG3kSlabId),
                         FieldLabel(kG3kBeamId), Unit(kG3kBeamId), UnitLabel(kG3kBeamId)}),
                 2, 1);
    Unit(kG3kSlabId)->setFixedWidth(50);
    Unit(kG3kBeamId)->setFixedWidth(50);
    auto *live = new TextLabel(QStringLiteral("活荷载标准值"), loads);
    QFont bold = live->font();
    bold.setBold(true);
    live->setFont(bold);
    g->addWidget(live, 3, 0, 1, 2);
    place(kQ1kId, g, 4, small(kLiveLoadButtonId));
    place(kQ2kId, g, 5);
    place(kWindId, g, 6);
    Note(HintLabel(kWindId));
    g->addWidget(HintLabel(kWindId), 7, 0, 1, 2);
    g->setColumnStretch(0, 1);

    auto *left = new QVBoxLayout;
    left->addWidget(drawing);
    left->addWidget(loads);
    left->addStretch();

    // The export controls in a narrow column left of the log box.
    auto *exporting = new QVBoxLayout;
    exporting->setSpacing(6);
    exporting->addWidget(Button(kFormworkExportButtonId));
    exporting->addWidget(ProgressBar());
    NoticeLabel()->setWordWrap(true);
    NoticeLabel()->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    SetTextColour(NoticeLabel(), QColor(0xc0, 0, 0));
    NoticeLabel()->setMaximumWidth(150);
    exporting->addWidget(NoticeLabel());
    exporting->addStretch();
    Button(kFormworkExportButtonId)->setMinimumSize(150, 30);
    auto *top = new QHBoxLayout;
    top->addLayout(exporting);
    top->addStretch();
    m_logPlaces[0] = new QVBoxLayout;
    top->addLayout(m_logPlaces[0]);

    auto *right = new QVBoxLayout;
    right->addLayout(top);
    for (int group : {kSlabGroup, kLineGroup}) {
        QGroupBox *box = Group(group);
        g = GroupGrid(group);
        g->setVerticalSpacing(3);
        int row = 0;
        for (const FieldRow &field : FormworkTable().fields)
            if (field.group == group) place(field.id, g, row++);
        g->setColumnStretch(0, 1);
        right->addWidget(box);
    }
    QPushButton *calculate = Button(kFormworkCalculateButtonId);
    calculate->setMinimumHeight(32);
    right->addWidget(calculate);

    auto *footer = new TextLabel(
        QStringLiteral(
            "依据建筑结构荷载规范《GB 50009-2012》、《安全生产技术》、《建筑施工模板安全技术规范》JGJ162-2008 》\r\n"),
        page);
    footer->setWordWrap(true);
    footer->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    StyleAsNote(footer);
    right->addWidget(footer);
    right->addStretch();

    QGroupBox *evaluation = Group(kEvaluationGroup);
    g = GroupGrid(kEvaluationGroup);
    g->setVerticalSpacing(4);
    QFont boxFont = font();
    boxFont.setPointSize(9);
    for (int i = 0; i < 6; ++i) {
        FieldLabel(kEvaluations[i])->hide();
        QWidget *box = Unit(kEvaluations[i]);
        box->setFont(boxFont);
        g->addWidget(box, i / 3, i % 3);
    }
    auto *verdictRow = new QHBoxLayout;
    verdictRow->setSpacing(10);
    verdictRow->addWidget(FieldLabel(kVerdictId));
    QWidget *verdict = Unit(kVerdictId);
    verdict->setFixedHeight(28);
    QFont verdictFont = font();
    verdictFont.setBold(true);
    verdict->setFont(verdictFont);
    verdictRow->addWidget(verdict, 1);
    g->addLayout(verdictRow, 2, 0, 1, 3);
    g->setRowStretch(0, 1);
    g->setRowStretch(1, 1);

    auto *columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);
    auto *column = new QVBoxLayout(page);
    column->setContentsMargins(5, 2, 8, 6);
    column->addLayout(columns);
    column->addWidget(evaluation, 1);
}

// Page 2: the inputs, Q3k, the wall and member groups and the results on the
// left; the log and the pressure diagram on the right.
void FormworkWindow::BuildPagePressure(QWidget *page) {
    auto place = [this](const char *id, QGridLayout *grid, int row, bool note = true) {
        grid->addWidget(FieldLabel(id), row, 0);
        grid->addLayout(Inline({Unit(id), UnitLabel(id)}), row, 1);
        if (QLabel *hint = note ? HintLabel(id) : nullptr) {
            Note(hint);
            hint->setMinimumWidth(240);
            grid->addWidget(hint, row, 2);
        }
    };

    QGroupBox *inputs = Group(kPressureGroup);
    QGridLayout *g = GroupGrid(kPressureGroup);
    g->setVerticalSpacing(3);
    place(kGammaCId, g, 0);
    place(kSetTimeId, g, 1);
    auto *tempBox = new QCheckBox(QStringLiteral("混凝土的温度T"), inputs);
    tempBox->setObjectName(kTempBoxId);
    connect(tempBox, &QCheckBox::clicked, this, [this] { TemperatureToggled(*this); });
    FieldLabel(kTemperatureId)->hide();
    g->addWidget(tempBox, 2, 0, Qt::AlignRight);
    g->addWidget(Unit(kTemperatureId), 2, 1, Qt::AlignLeft);
    Unit(kTemperatureId)->hide();
    place(kBeta1Id, g, 3);
    place(kBeta2Id, g, 4);
    place(kPourRateId, g, 5);
    place(kHeadId, g, 6);
    place(kQ2kVerticalId, g, 7);
    for (int row = 0; row < 8; ++row)
        if (QLayoutItem *item = g->itemAtPosition(row, 0); item && item->widget())
            if (auto *label = qobject_cast<QLabel *>(item->widget())) label->setWordWrap(true);
    g->setColumnStretch(0, 1);
    g->setColumnStretch(2, 1);

    // Q3k stands on the page, outside the groups.
    auto *q3k = new QHBoxLayout;
    q3k->setContentsMargins(10, 0, 0, 0);
    q3k->addWidget(FieldLabel(kQ3kId));
    q3k->addWidget(Unit(kQ3kId));
    q3k->addWidget(UnitLabel(kQ3kId));
    q3k->addWidget(Button(kDumpingLoadButtonId));
    Button(kDumpingLoadButtonId)->setIcon(StandardIcon(QStyle::SP_FileDialogContentsView));
    Button(kDumpingLoadButtonId)->setToolTip(QStringLiteral("查表"));
    q3k->addStretch();

    struct MemberGroup {
        int group;
        const char *steel;
        const char *dimension;
        const char *button;
    };
    const MemberGroup members[] = {{kWallGroup, kWallSteelId, kWallThicknessId, kWallButtonId},
                                   {kMemberGroup, kMemberSteelId, kMemberSideId, kMemberButtonId}};
    auto *memberRow = new QHBoxLayout;
    for (const MemberGroup &m : members) {
        QGroupBox *box = Group(m.group);
        g = GroupGrid(m.group);
        g->setVerticalSpacing(3);
        auto *steel = new QCheckBox(QStringLiteral("采用钢模板"), box);
        steel->setObjectName(m.steel);
        g->addWidget(new TextLabel(QStringLiteral("模板材料选用"), box), 0, 0);
        g->addWidget(steel, 0, 1);
        g->addWidget(FieldLabel(m.dimension), 1, 0);
        g->addLayout(Inline({Unit(m.dimension), UnitLabel(m.dimension)}), 1, 1);
        g->addWidget(Button(m.button), 2, 0, 1, 2);
        g->setColumnStretch(0, 1);
        memberRow->addWidget(box, 1);
    }

    QGroupBox *standard = Group(kStandardGroup);
    g = GroupGrid(kStandardGroup);
    place(kFPrimeId, g, 0, false);
    place(kFId, g, 1, false);
    FieldLabel(kG4kId)->setWordWrap(true);
    place(kG4kId, g, 2, false);
    g->setColumnStretch(0, 1);

    const struct {
        int group;
        const char *name;
        const char *heading;
        const char *text;
        const char *field;
    } results[] = {
        {kThinGroupIndex, kThinGroupId, kThinHeadingId,
         "梁、拱、柱（边长<300mm）、墙（厚度不大于100mm）的侧面模板", kThinResultId},
        {kThickGroupIndex, kThickGroupId, kThickHeadingId,
         "大体积结构、柱（边长> 300mm）的侧面模板计算结果", kThickResultId},
    };
    // They share one cell; the thin-member group shows until a command picks.
    // Nothing is shown explicitly here: a show() on the hidden page would
    // polish all of it before the window opens.
    auto *shared = new QWidget(page);
    auto *stack = new QGridLayout(shared);
    stack->setContentsMargins(0, 0, 0, 0);
    for (const auto &r : results) {
        QGroupBox *box = Group(r.group);
        box->setObjectName(r.name);
        g = GroupGrid(r.group);
        auto *heading = new TextLabel(r.text, box);
        heading->setObjectName(r.heading);
        heading->setWordWrap(true);
        SetTextColour(heading, QColor(0x00, 0x3c, 0x78));
        QFont bold = heading->font();
        bold.setBold(true);
        heading->setFont(bold);
        g->addWidget(heading, 0, 0, 1, 2);
        FieldLabel(r.field)->setWordWrap(true);
        place(r.field, g, 1, false);
        g->setColumnStretch(0, 1);
        g->setRowStretch(2, 1);
        stack->addWidget(box, 0, 0);
    }
    Group(kThickGroupIndex)->hide();
    auto *resultRow = new QHBoxLayout;
    resultRow->addWidget(standard, 1);
    resultRow->addWidget(shared, 1);

    auto *left = new QVBoxLayout;
    left->addWidget(inputs);
    left->addLayout(q3k);
    left->addLayout(memberRow);
    left->addLayout(resultRow);
    left->addStretch();

    QGroupBox *diagramGroup = Group(kDiagramGroup);
    g = GroupGrid(kDiagramGroup);
    g->addWidget(new PressureDiagramWidget(diagramGroup), 0, 0, 1, 2, Qt::AlignHCenter);
    place(kEffectiveHeadId, g, 1, false);
    place(kDumpingDesignId, g, 2, false);
    place(kActingHeightId, g, 3, false);
    g->setColumnStretch(0, 1);
    g->setRowStretch(4, 1);

    auto *right = new QVBoxLayout;
    m_logPlaces[1] = new QVBoxLayout;
    right->addLayout(m_logPlaces[1]);
    right->addWidget(diagramGroup);
    right->addStretch();

    // The page's units wait on it, hidden with it, for the layout.
    for (QWidget *unit :
         {static_cast<QWidget *>(inputs), static_cast<QWidget *>(FieldLabel(kQ3kId)), Unit(kQ3kId),
          static_cast<QWidget *>(UnitLabel(kQ3kId)),
          static_cast<QWidget *>(Button(kDumpingLoadButtonId)),
          static_cast<QWidget *>(Group(kWallGroup)), static_cast<QWidget *>(Group(kMemberGroup)),
          static_cast<QWidget *>(standard), static_cast<QWidget *>(diagramGroup)})
        unit->setParent(page);
    auto *columns = new QHBoxLayout;
    columns->setContentsMargins(5, 2, 8, 6);
    columns->addLayout(left, 1);
    columns->addLayout(right);
    m_pressurePage = page;
    m_pressureLayout.reset(columns);
    page->installEventFilter(this);
}

void FormworkWindow::LayOutPagePressure() {
    if (!m_pressureLayout) return;
    m_pressurePage->setLayout(m_pressureLayout.release());
    m_pressurePage->layout()->activate();
    // What a larger font needs on this page.
    setFixedSize(size().expandedTo(minimumSizeHint()));
}

bool FormworkWindow::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_pressurePage && event->type() == QEvent::Show) LayOutPagePressure();
    return CalcWindow::eventFilter(watched, event);
}

void FormworkWindow::HoverTick(const QPoint &globalPos) {
    QWidget *under = QApplication::widgetAt(globalPos);
    if (under && under->window() == this) {
        for (const HoverHint &hint : HoverHints()) {
            if (under->objectName() != U(hint.field)) continue;
            const QString text = U(hint.text);
            m_hover->setText(text);
            m_hover->setGeometry(HoverLabelGeometry(under->geometry(), text, 20));
            m_hover->show();
            m_hover->raise();
            return;
        }
    }
    m_hover->hide();
}

void FormworkWindow::SetBackColor(QAnyStringView id, Rgb colour) {
    CalcWindow::SetBackColor(id, colour);
    QWidget *unit = Unit(id);
    if (!unit) return;
    // Black text is hard to read on the dark blue of chosen results.
    const bool dark = colour.r + colour.g + colour.b < 384;
    QPalette p = unit->palette();
    p.setColor(QPalette::Text, dark ? Qt::white : Qt::black);
    unit->setPalette(p);
}

void FormworkWindow::SetBusy(bool busy) {
    CalcWindow::SetBusy(busy);
    if (QPushButton *button = Button(kFormworkExportButtonId)) button->setEnabled(!busy);
}

QWidget *CreateFormworkWindow(Dialogs &dialogs, const QString &dataFolder) {
    return new FormworkWindow(dialogs, dataFolder);
}

}  // namespace tunnel

namespace tunnel::modules::formwork {

QWidget *CreateWindow(const WindowContext &context) {
    return CreateFormworkWindow(context.dialogs, context.dataFolder);
}

}  // namespace tunnel::modules::formwork
