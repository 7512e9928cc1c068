#include "walldesign/ui/aboutform.h"

#include "platform/canvas.h"
#include "platform/gui/jpeg.h"
#include "platform/gui/services.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QVBoxLayout>

#include <vector>

namespace wd {

namespace {

std::unique_ptr<sps::TBitmap> ToBitmap(const QImage& image)
{
    if (image.isNull())
        return std::make_unique<sps::TBitmap>();
    QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    std::vector<sps::TColor> pixels;
    pixels.reserve(static_cast<size_t>(rgb.width()) * static_cast<size_t>(rgb.height()));
    for (int y = 0; y < rgb.height(); y++) {
        const uchar* line = rgb.constScanLine(y);
        for (int x = 0; x < rgb.width(); x++)
            pixels.push_back(sps::RGB(line[3 * x], line[3 * x + 1], line[3 * x + 2]));
    }
    return std::make_unique<sps::TBitmap>(rgb.width(), rgb.height(), std::move(pixels));
}

} // namespace

TAboutForm::TAboutForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(QStringLiteral("About..."));
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    setAutoFillBackground(true);

    Image = new QLabel(this);
    Image->setObjectName(QStringLiteral("Image"));
    Image->setToolTip(QString::fromLatin1(kVersionHint));
    Image->setStatusTip(QString::fromLatin1(kVersionHint));
    Image->setAlignment(Qt::AlignCenter);
    Image->installEventFilter(this);

    QImage image;
    // A picture that does not decode leaves the box black; the program goes on.
    sps::RunGuarded([&image] { image = sps::DecodeJpeg(TavelondPicture()); });
    bitmap_ = ToBitmap(image);
    if (!image.isNull())
        Image->setPixmap(QPixmap::fromImage(image));
    else
        Image->setFixedSize(480, 320);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Image);
    setFixedSize(sizeHint());
}

TAboutForm::~TAboutForm() = default;

void TAboutForm::ImageClick()
{
    if (isModal())
        accept();
    else
        hide();
}

bool TAboutForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Image && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        ImageClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace wd
