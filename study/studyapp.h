#pragma once
#include <QObject>
#include <memory>

#include "study/frmshow.h"

class SettingsStore;

// Study's windows: the main window and the windows its menu opens.
class StudyApp : public QObject {
    Q_OBJECT
public:
    StudyApp(SettingsStore& store, FrmShow::SpeechMaker speech);
    ~StudyApp() override;

    void start();
    FrmShow& main() { return *frm_; }

public slots:
    // Brings the main window forward, for a second start of the program.
    void activate();

private:
    std::unique_ptr<FrmShow> frm_;
};
