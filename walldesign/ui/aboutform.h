// The about box: one picture on black, without a border, on top of the other
// windows. It is the splash window at start-up as well.
#pragma once

#include <QByteArray>
#include <QDialog>

#include <memory>

class QLabel;

namespace sps {
class TBitmap;
}

namespace wd {

inline constexpr const char* kVersionHint = "Version 2.2";

// The JPEG bytes of the about picture (built into the program).
QByteArray TavelondPicture();

class TAboutForm : public QDialog {
public:
    explicit TAboutForm(QWidget* parent = nullptr);
    ~TAboutForm() override;

    QLabel* Image;

    // The picture for the report's cover (not empty when it decoded).
    const sps::TBitmap& Picture() const { return *bitmap_; }

    void ImageClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::unique_ptr<sps::TBitmap> bitmap_;
};

} // namespace wd
