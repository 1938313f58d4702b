// The settings window: the program's main window and its only place of input.
#pragma once

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include <memory>
#include <string_view>

#include "settings/platform/edit_box.h"
#include "settings/platform/qt_boxes.h"
#include "settings/platform/radio_group.h"
#include "simulation/parameter_handlers.h"
#include "simulation/random_source.h"
#include "simulation/run_parameters.h"
#include "simulation/sweep.h"

namespace ostrane {

class TSettingsform final : public QWidget, public StatusDisplay {
public:
    // Sets Settingsform, creates the controls with their initial texts and runs FormCreate, whose
    // failure is shown without ending the creation. The window is not shown. The parameters, the
    // generator and the results must outlive the window.
    TSettingsform(RunParameters& parameters, RandomSource& random, ResultsSink& results);
    ~TSettingsform() override;
    TSettingsform(const TSettingsform&) = delete;
    TSettingsform& operator=(const TSettingsform&) = delete;

    // The controls; each one's objectName is its name.
    QFrame* b1;
    QFrame* b5;
    QFrame* Bevel1;
    QLabel* l1;
    QLabel* l2;
    QLabel* l3;
    QLabel* l7;
    QLabel* l10;
    QLabel* l12;
    QLabel* RunLabel;
    QLabel* SE;
    QLabel* l16;
    QLabel* Label3;
    RadioGroup* Algo;
    EditBox* SpeedEdit;
    EditBox* TurnIntEdit;
    EditBox* DMGbox;
    QLabel* BiasLbl;
    EditBox* TTTmBox;
    EditBox* NofTrialsEdit;
    EditBox* CompassEdit;
    EditBox* SEBox;
    QCheckBox* DisplayOnBox;
    EditBox* TurnRangeEdit;
    QPushButton* RunBtn;
    EditBox* SoakHrsEdit;
    QPushButton* CloseBtn;
    EditBox* NofTurnsBox;
    QLabel* Label2;

    void FormCreate();
    // Starts a run and returns when it has ended.
    void RunBtnClick();
    void SetVariables();
    // Asks the message loop to end; the program ends with it.
    void CloseBtnClick();

    // Shows the text on RunLabel and repaints it at once, although no event is handled in a run.
    void ShowStatus(std::string_view text) override;

protected:
    // However the window is closed, the program ends.
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateControls();
    void ChainTabOrder();
    void WireEvents();

    RunParameters& parameters_;
    RandomSource& random_;
    ResultsSink& results_;
    std::unique_ptr<QtBoxes> boxes_;
    std::unique_ptr<ParameterHandlers> handlers_;
};

// The one settings window, while it exists.
extern TSettingsform* Settingsform;

}  // namespace ostrane
