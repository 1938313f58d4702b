#include "settings.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFont>
#include <QPalette>

#include <array>

#include "displayf/displayf.h"
#include "settings/platform/exception_display.h"
#include "settings/platform/window_events.h"
#include "simulation/box_access.h"

namespace ostrane {

TSettingsform* Settingsform = nullptr;

namespace {

const QRect kOuterGeometry(606, 1, 195, 571);

QFont FormFont(int pixelSize) {
    QFont font;
    font.setFamilies({"MS Sans Serif", "Microsoft Sans Serif", "Arial", "Liberation Sans",
                      "DejaVu Sans Condensed"});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    return font;
}

QString InitialText(Box box) {
    const std::string_view text = InitialBoxText(box);
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// Labels are opaque and size themselves to their text.
QLabel* MakeLabel(QWidget* form, const char* name, int left, int top, const char* caption) {
    auto* label = new QLabel(caption, form);
    label->setObjectName(name);
    label->setAutoFillBackground(true);
    label->move(left, top);
    label->adjustSize();
    return label;
}

QFrame* MakeFrame(QWidget* form, const char* name, const QRect& geometry, QFrame::Shadow shadow) {
    auto* frame = new QFrame(form);
    frame->setObjectName(name);
    frame->setFrameStyle(QFrame::Box | shadow);
    frame->setGeometry(geometry);
    return frame;
}

EditBox* MakeEdit(QWidget* form, const char* name, const QRect& geometry, int maxLength,
                  bool readOnly, const QString& text) {
    auto* edit = new EditBox(form, maxLength, readOnly);
    edit->setObjectName(name);
    edit->setGeometry(geometry);
    edit->SetProgramText(text);
    return edit;
}

QPushButton* MakeButton(QWidget* form, const char* name, const QRect& geometry,
                        const char* caption) {
    auto* button = new QPushButton(caption, form);
    button->setObjectName(name);
    button->setGeometry(geometry);
    return button;
}

}  // namespace

TSettingsform::TSettingsform(RunParameters& parameters, RandomSource& random, ResultsSink& results)
    : parameters_(parameters), random_(random), results_(results) {
    Settingsform = this;
    setObjectName("Settingsform");
    setWindowTitle("Settings");
    setFont(FormFont(11));
    QPalette buttonFace = palette();
    buttonFace.setColor(QPalette::Window, buttonFace.color(QPalette::Button));
    setPalette(buttonFace);
    CreateControls();
    ChainTabOrder();
    boxes_ = std::make_unique<QtBoxes>(
        std::array<EditBox*, kBoxCount>{SpeedEdit, TurnIntEdit, CompassEdit, TurnRangeEdit,
                                        SoakHrsEdit, NofTrialsEdit, TTTmBox, NofTurnsBox});
    handlers_ = std::make_unique<ParameterHandlers>(parameters_, *boxes_);
    WireEvents();
    RunHandler([this] { FormCreate(); });
    SetOuterGeometry(*this, kOuterGeometry);
}

TSettingsform::~TSettingsform() {
    if (Settingsform == this) {
        Settingsform = nullptr;
    }
}

// In the order of the layout, which is also the order of painting: each control lies over the
// ones before it.
void TSettingsform::CreateControls() {
    b5 = MakeFrame(this, "b5", {0, 400, 185, 65}, QFrame::Raised);
    b1 = MakeFrame(this, "b1", {0, 8, 185, 185}, QFrame::Sunken);
    l7 = MakeLabel(this, "l7", 8, 212, "Soak hours");
    l2 = MakeLabel(this, "l2", 24, 18, "Speed m/sec");
    l3 = MakeLabel(this, "l3", 24, 36, "Turn interval s");
    BiasLbl = MakeLabel(this, "BiasLbl", 24, 54, "Bias direction");
    l1 = MakeLabel(this, "l1", 8, 0, " Animal characteristics ");
    l10 = MakeLabel(this, "l10", 8, 232, "Km travelled");
    l12 = MakeLabel(this, "l12", 32, 320, "N of trials ");
    RunLabel = MakeLabel(this, "RunLabel", 8, 392, " RESULTS  ");
    SE = MakeLabel(this, "SE", 32, 440, "SE");
    l16 = MakeLabel(this, "l16", 32, 416, "DD%");
    MakeLabel(this, "Label1", 24, 74, "Turn %");
    Bevel1 = MakeFrame(this, "Bevel1", {0, 296, 185, 73}, QFrame::Sunken);
    Label3 = MakeLabel(this, "Label3", 8, 288, " Run settings ");
    Label2 = MakeLabel(this, "Label2", 8, 252, "N of Turns");

    Algo = new RadioGroup(this, " Turn algorithm ",
                          {"Random", "Random with ahead bias", "Random with directional bias"},
                          static_cast<int>(TurnAlgorithm::AheadBias));
    Algo->setObjectName("Algo");
    Algo->setGeometry(8, 104, 169, 81);

    SpeedEdit =
        MakeEdit(this, "SpeedEdit", {112, 14, 41, 21}, 4, false, InitialText(Box::SpeedEdit));
    TurnIntEdit =
        MakeEdit(this, "TurnIntEdit", {112, 33, 41, 21}, 5, false, InitialText(Box::TurnIntEdit));
    DMGbox = MakeEdit(this, "DMGbox", {112, 412, 41, 21}, 5, true, "to file");
    TTTmBox = MakeEdit(this, "TTTmBox", {112, 228, 41, 21}, 5, true, InitialText(Box::TTTmBox));
    NofTrialsEdit = MakeEdit(this, "NofTrialsEdit", {112, 317, 65, 21}, 8, false,
                             InitialText(Box::NofTrialsEdit));
    CompassEdit =
        MakeEdit(this, "CompassEdit", {112, 52, 41, 21}, 3, false, InitialText(Box::CompassEdit));
    SEBox = MakeEdit(this, "SEBox", {112, 436, 41, 21}, 5, true, "to file");

    DisplayOnBox = new QCheckBox("Display Tracks", this);
    DisplayOnBox->setObjectName("DisplayOnBox");
    DisplayOnBox->setGeometry(32, 344, 85, 17);
    DisplayOnBox->setChecked(true);
    // The box is as narrow as the layout has it; a tighter gap keeps its caption whole.
    DisplayOnBox->setStyleSheet("QCheckBox { spacing: 1px; }");

    TurnRangeEdit = MakeEdit(this, "TurnRangeEdit", {112, 72, 41, 21}, 3, false,
                             InitialText(Box::TurnRangeEdit));
    RunBtn = MakeButton(this, "RunBtn", {8, 472, 57, 33}, "Run");
    RunBtn->setFont(FormFont(13));
    SoakHrsEdit =
        MakeEdit(this, "SoakHrsEdit", {112, 208, 41, 21}, 4, false, InitialText(Box::SoakHrsEdit));
    CloseBtn = MakeButton(this, "CloseBtn", {128, 472, 57, 33}, "Exit");
    NofTurnsBox =
        MakeEdit(this, "NofTurnsBox", {112, 248, 41, 21}, 5, true, InitialText(Box::NofTurnsBox));
}

// By TabOrder: the read-only boxes take their places but are no tab stops, and the group is one
// stop on its selected item.
void TSettingsform::ChainTabOrder() {
    QList<QWidget*> order = {SpeedEdit, TurnIntEdit};
    for (QWidget* item : Algo->Items()) {
        order.append(item);
    }
    order.append({CompassEdit, NofTrialsEdit, DMGbox, TTTmBox, SEBox, DisplayOnBox, TurnRangeEdit,
                  RunBtn, SoakHrsEdit, CloseBtn, NofTurnsBox});
    for (qsizetype i = 1; i < order.size(); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

void TSettingsform::WireEvents() {
    new ActivationTracker(*this, [this] { SetVariables(); });
    auto* exits = new FocusExitTracker(*this);
    exits->SetExitHandler(*SpeedEdit, [this] { SetVariables(); });
    exits->SetExitHandler(*SoakHrsEdit, [this] { SetVariables(); });
    connect(RunBtn, &QPushButton::clicked, this, [this] { RunHandler([this] { RunBtnClick(); }); });
    connect(CloseBtn, &QPushButton::clicked, this,
            [this] { RunHandler([this] { CloseBtnClick(); }); });
}

void TSettingsform::FormCreate() {
    handlers_->FormCreate();
}

void TSettingsform::SetVariables() {
    handlers_->SetVariables();
}

void TSettingsform::RunBtnClick() {
    SetVariables();
    parameters_.Algo = static_cast<TurnAlgorithm>(Algo->ItemIndex());
    parameters_.DisplayTracks = DisplayOnBox->isChecked();
    SeeForm->MakeVisible();
    // However the run ends, what it drew reaches the screen.
    struct ShowDrawnAtEnd {
        ~ShowDrawnAtEnd() { SeeForm->ShowDrawn(); }
    } const atEnd;
    RunSweep(parameters_, SweepPorts{*SeeForm, *this, results_, random_});
}

void TSettingsform::CloseBtnClick() {
    QCoreApplication::exit(0);
}

void TSettingsform::ShowStatus(std::string_view text) {
    QLabel* const label = Settingsform->RunLabel;
    const QRect before = label->geometry();
    label->setText(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
    label->adjustSize();
    Settingsform->repaint(before.united(label->geometry()));
}

void TSettingsform::closeEvent(QCloseEvent* event) {
    event->accept();
    QCoreApplication::exit(0);
}

}  // namespace ostrane
