// Qt implementations of the native services.
#include "platform/gui/services.h"

#include "platform/gui/canvas.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

namespace sps {

namespace {

QString Q(const std::string& s)
{
    return QString::fromStdString(s);
}

class QtMessageBox : public IMessageBox {
public:
    TMsgResult Show(const std::string& caption, const std::string& text, TMsgKind kind, TMsgButtons buttons) override
    {
        QMessageBox::Icon icon = QMessageBox::Information;
        switch (kind) {
        case TMsgKind::Error:
            icon = QMessageBox::Critical;
            break;
        case TMsgKind::Warning:
            icon = QMessageBox::Warning;
            break;
        case TMsgKind::Information:
            icon = QMessageBox::Information;
            break;
        case TMsgKind::Question:
            icon = QMessageBox::Question;
            break;
        }
        QMessageBox::StandardButtons standard = QMessageBox::Ok;
        if (buttons == TMsgButtons::YesNo)
            standard = QMessageBox::Yes | QMessageBox::No;
        else if (buttons == TMsgButtons::YesNoCancel)
            standard = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        QMessageBox box(icon, Q(caption), Q(text), standard, QApplication::activeWindow());
        if (buttons != TMsgButtons::OK) {
            box.setDefaultButton(QMessageBox::Yes);
            box.setEscapeButton(buttons == TMsgButtons::YesNo ? QMessageBox::No : QMessageBox::Cancel);
        }
        box.exec();
        if (buttons == TMsgButtons::OK)
            return TMsgResult::OK;
        QAbstractButton* clicked = box.clickedButton();
        if (clicked == box.button(QMessageBox::Yes))
            return TMsgResult::Yes;
        if (clicked == box.button(QMessageBox::No))
            return TMsgResult::No;
        return buttons == TMsgButtons::YesNo ? TMsgResult::No : TMsgResult::Cancel;
    }
};

class QtBeeper : public IBeeper {
public:
    // Qt has one beep for every type.
    void Beep(unsigned type) override { QApplication::beep(); }
};

class QtTimer : public ITimer {
public:
    QtTimer() : timer_(new QTimer)
    {
        QObject::connect(timer_, &QTimer::timeout, [this] { Tick(); });
    }
    ~QtTimer() override
    {
        *alive_ = false;
        timer_->stop();
        QObject::disconnect(timer_, nullptr, nullptr, nullptr);
        // Freed from inside its own tick: the QTimer is still delivering.
        if (ticking_)
            timer_->deleteLater();
        else
            delete timer_;
    }
    void SetInterval(int ms) override
    {
        interval_ = ms < 0 ? 0 : ms;
        Update();
    }
    int Interval() const override { return interval_; }
    void SetEnabled(bool enabled) override
    {
        if (enabled == enabled_)
            return;
        enabled_ = enabled;
        Update();
    }
    bool Enabled() const override { return enabled_; }

private:
    void Update()
    {
        if (enabled_ && interval_ > 0)
            timer_->start(interval_);
        else
            timer_->stop();
    }
    void Tick()
    {
        if (!OnTimer)
            return;
        // The handler may free this timer: keep what is needed afterwards.
        auto alive = alive_;
        auto handler = OnTimer;
        ticking_ = true;
        RunGuarded(handler);
        if (*alive)
            ticking_ = false;
    }

    QTimer* timer_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    int interval_ = 1000;
    bool enabled_ = false;
    bool ticking_ = false;
};

class QtFileDialogs : public IFileDialogs {
public:
    std::string Open(const TFileDialogParams& params) override { return Run(params, false); }
    std::string Save(const TFileDialogParams& params) override { return Run(params, true); }

private:
    static std::string Run(const TFileDialogParams& params, bool save)
    {
        QFileDialog dialog(QApplication::activeWindow(), Q(params.title), Q(params.initialDir));
        dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        QStringList filters;
        for (const auto& f : QtNameFilters(params.filter))
            filters << Q(f);
        if (!filters.isEmpty()) {
            dialog.setNameFilters(filters);
            if (params.filterIndex >= 1 && params.filterIndex <= filters.size())
                dialog.selectNameFilter(filters[params.filterIndex - 1]);
        }
        std::string ext = params.defaultExt;
        while (!ext.empty() && ext.front() == '.')
            ext.erase(0, 1);
        if (!ext.empty())
            dialog.setDefaultSuffix(Q(ext));
        if (!params.fileName.empty())
            dialog.selectFile(Q(params.fileName));
        if (dialog.exec() != QDialog::Accepted)
            return std::string();
        QStringList chosen = dialog.selectedFiles();
        return chosen.isEmpty() ? std::string() : chosen.first().toStdString();
    }
};

class QtChoiceDialogs : public IChoiceDialogs {
public:
    std::string SelectFolder(const std::string& title, const std::string& initialDir) override
    {
        QString folder = QFileDialog::getExistingDirectory(QApplication::activeWindow(), Q(title), Q(initialDir));
        return folder.toStdString();
    }
    bool ChooseColor(TColor& color) override
    {
        QColor chosen = QColorDialog::getColor(ToQColor(color), QApplication::activeWindow());
        if (!chosen.isValid())
            return false;
        color = FromQColor(chosen);
        return true;
    }
};

} // namespace

Platform QtPlatform()
{
    Platform p;
    p.messageBox = std::make_shared<QtMessageBox>();
    p.beeper = std::make_shared<QtBeeper>();
    p.fileDialogs = std::make_shared<QtFileDialogs>();
    p.choiceDialogs = std::make_shared<QtChoiceDialogs>();
    p.createTimer = [] { return std::unique_ptr<ITimer>(new QtTimer); };
    return p;
}

} // namespace sps
