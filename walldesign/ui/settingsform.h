// The settings dialog "General Settings": backup and auto-save, start-up and
// unit system, default company and author, the eight drawing colours.
#pragma once

#include "platform/canvas.h"

#include <QDialog>
#include <QFrame>

#include <functional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace wd {

// A panel showing a colour; a click asks for another one.
class TColorPanel : public QFrame {
public:
    TColorPanel(const QString& name, QWidget* parent);
    sps::TColor Color() const { return color_; }
    void SetColor(sps::TColor color);
    std::function<void()> OnClick;

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    sps::TColor color_ = 0;
};

class TSettingsForm : public QDialog {
public:
    // programDir: the folder shown for the backup copies at first.
    explicit TSettingsForm(const QString& programDir, QWidget* parent = nullptr);

    QTabWidget* PageControl;
    QCheckBox* CheckBox1; // make backup on save
    QCheckBox* CheckBox2; // auto-save
    QLineEdit* Edit1;     // auto-save period, minutes
    QLabel* Label1;       // backup folder
    QPushButton* Button3; // select directory
    QCheckBox* CheckBox3; // open last project
    QGroupBox* RadioGroup1;
    QRadioButton* MetricButton;
    QRadioButton* ImperialButton;
    QLineEdit* Edit2; // default company
    QLineEdit* Edit3; // default author
    TColorPanel* Panel1; // water
    TColorPanel* Panel2; // ground
    TColorPanel* Panel3; // sheet pile
    TColorPanel* Panel4; // text
    TColorPanel* Panel5; // background
    TColorPanel* Panel6; // vector
    TColorPanel* Panel7; // anchor
    TColorPanel* Panel8; // axis
    QPushButton* OKButton;
    QPushButton* CancelButton;

    // The folder of the auto-save copies; empty means the project's own folder.
    void SetBackupPath(const QString& path);
    QString BackupPath() const { return backupPath_; }
    // 0 metric, 1 imperial.
    void SetUnitIndex(int index);
    int UnitIndex() const;

    void FormCreate();
    void Button3Click();
    void Panel1Click(TColorPanel* panel);

private:
    QString programDir_;
    QString backupPath_;
};

} // namespace wd
