#include "lists/ListDialog.h"

#include "core/App.h"
#include "lists/ListDialogTarget.h"
#include "platform/ui/HelpKey.h"
#include "platform/widgets/NamedControls.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace {

constexpr int kOptionPitch = 420;

}  // namespace

QString ListDialog::messageTitle() { return QString(); }

ListDialog::ListDialog(App& app, ListDialogTarget& target, const QString& objectName, const QString& windowName,
                       const QString& heading)
    : app_(app), target_(target), windowName_(windowName)
{
    setObjectName(objectName);
    installHelpKey(*this, app_.ui());
    setModal(true);

    Label1 = NamedControls::scaledHeading(this, "Label1", heading, 240, 120, 3000, 360, 1.2);

    Command1 = new QPushButton(QStringLiteral("ヘルプ"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    connect(Command1, &QPushButton::clicked, this, &ListDialog::Command1_Click);
}

void ListDialog::setCaption() { setWindowTitle(app_.cache.caption(windowName_)); }

void ListDialog::tell(const QString& text, Ui::Icon icon)
{
    app_.ui().msgBox(text, Ui::Buttons::Ok, icon, messageTitle());
}

QGroupBox* ListDialog::optionGroup(const char* frameName, const QString& frameCaption, const char* optionName,
                                   const QStringList& captions, std::vector<QRadioButton*>& options,
                                   std::function<void(int)> clicked, int left, int top, int width)
{
    const int count = static_cast<int>(captions.size());
    QGroupBox* frame =
        NamedControls::frame(this, frameName, frameCaption, left, top, width, 360 + kOptionPitch * count);
    for (int i = 0; i < count; ++i) {
        const QString name = QStringLiteral("%1_%2").arg(QLatin1String(optionName)).arg(i);
        auto* o = NamedControls::make<QRadioButton>(frame, name, 240, 330 + kOptionPitch * i, width - 360, 330);
        o->setText(captions[i]);
        // Choosing the same option again runs it again.
        NamedControls::onChosen(o, this, [clicked, i] { clicked(i); });
        options.push_back(o);
    }
    // The help button stands below the options and takes its turn after them: made again a
    // child, it comes last.
    Command1->setParent(nullptr);
    Command1->setParent(this);
    Command1->show();
    return frame;
}

void ListDialog::clearOptions(const std::vector<QRadioButton*>& options)
{
    // Exclusive buttons cannot all be unchosen while they are exclusive.
    for (QRadioButton* o : options) {
        o->setAutoExclusive(false);
        o->setChecked(false);
        o->setAutoExclusive(true);
    }
}

void ListDialog::Command1_Click() { app_.ui().sendHelpKey(*this); }
