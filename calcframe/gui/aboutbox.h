// The calculators' about box: a modeless dialog with the maker's emblem, a
// notice, a version line and an OK button. It closes when it loses the focus.
// A dialog border: a caption with a close button, no minimise or maximise
// button, fixed size.
#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace cf {

struct AboutBoxTexts {
    QString objectName;  // e.g. "KestraneAboutBox"
    QString caption;     // window caption
    QString version;     // version line
    QString authorHint;  // hint of the credit label
};

class TAboutBox : public QDialog {
public:
    // picture: JPEG bytes of the emblem.
    TAboutBox(const AboutBoxTexts& texts, const QByteArray& picture, QWidget* owner);

    QFrame* Bevel;
    QLabel* Logo;
    QLabel* Notice;
    QLabel* Version;
    QPushButton* OKButton;
    QLabel* Lbl_Author;

    int AlphaBlendValue() const { return alpha_; }
    void SetAlphaBlendValue(int alpha);

    // The "&About ..." command: notice text (bold, in the largest size from
    // the dialog's 8 points down to 6 in which it fits its label), a new
    // random transparency from 185 to 254, centred on the owner form, shown
    // modeless.
    void ShowAbout(const QString& notice);

    void OKButtonClick();
    void FormDeactivate();
    void Lbl_AuthorMouseMove();
    void Lbl_AuthorMouseLeave();

protected:
    void changeEvent(QEvent* ev) override;
    bool eventFilter(QObject* obj, QEvent* ev) override;

private:
    void FitNotice();

    int alpha_ = 255;
};

} // namespace cf
