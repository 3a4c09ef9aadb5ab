#include "lists/ListDialog.h"

#include "core/App.h"
#include "lists/ListDialogTarget.h"
#include "platform/widgets/Twips.h"

#include <QGroupBox>
#include <QKeyEvent>
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
    setModal(true);

    Label1 = new QLabel(heading, this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont bold = Label1->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    Label1->setFont(bold);
    setGeometryTwips(*Label1, 240, 120, 3000, 360);

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
    auto* frame = new QGroupBox(frameCaption, this);
    frame->setObjectName(QString::fromLatin1(frameName));
    const int count = static_cast<int>(captions.size());
    setGeometryTwips(*frame, left, top, width, 360 + kOptionPitch * count);
    for (int i = 0; i < count; ++i) {
        auto* o = new QRadioButton(captions[i], frame);
        o->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(optionName)).arg(i));
        setGeometryTwips(*o, 240, 330 + kOptionPitch * i, width - 360, 330);
        // clicked, not toggled: choosing the same option again runs it again.
        connect(o, &QRadioButton::clicked, this, [clicked, i] { clicked(i); });
        options.push_back(o);
    }
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

void ListDialog::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_F1) {
        Command1_Click();
        return;
    }
    QDialog::keyPressEvent(e);
}
