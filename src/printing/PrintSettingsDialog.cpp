#include "printing/PrintSettingsDialog.h"

#include "core/App.h"
#include "platform/print/Printer.h"
#include "platform/text/TextUtil.h"
#include "platform/ui/HelpKey.h"
#include "platform/ui/Ui.h"
#include "platform/widgets/NamedControls.h"
#include "platform/widgets/ReportListView.h"
#include "platform/widgets/StatusBar3.h"
#include "printing/PrintLayout.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <algorithm>

namespace {

using C = NamedControls;

const QString kNoReport = QStringLiteral("作成する帳表が選択されていません。");
const QString kError = QStringLiteral("Error");
const QColor kDarkRed(128, 0, 0);

// A sheet of paper with a few printed lines, upright or on its side.
QPixmap sheet(bool landscape)
{
    const QSize size = landscape ? QSize(64, 46) : QSize(46, 64);
    QImage img(size.width() + 2, size.height() + 2, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawRect(0, 0, size.width(), size.height());
    p.setPen(Qt::darkGray);
    for (int y = 8; y < size.height() - 4; y += 6) p.drawLine(6, y, size.width() - 6, y);
    p.end();
    return QPixmap::fromImage(img);
}

}  // namespace

PrintSettingsDialog::PrintSettingsDialog(App& app, int category, const Design& d, const QStringList& fieldNames,
                                         const ReportListView& rows, const QString& listHeading, StatusBar3* status)
    : app_(app), category_(std::clamp(category, 0, 5)), fieldNames_(fieldNames), rows_(rows), listHeading_(listHeading), status_(status)
{
    setObjectName(QString::fromLatin1(d.objectName));
    installHelpKey(*this, app_.ui());
    setWindowTitle(app_.cache.caption(d.windowName));
    setFixedSize(text::twipsToPixels(8160), text::twipsToPixels(6900));

    Label6 = C::heading(this, "Label6", d.heading, 240, 120, 7600, 420);
    Label6->setAlignment(Qt::AlignCenter);

    buildTabs(d);

    Command4 = C::button(this, "Command4", QStringLiteral("Ｏ　Ｋ"), 240, 6240, 1300);
    Command3 = C::button(this, "Command3", QStringLiteral("キャンセル"), 1680, 6240, 1300);
    Command6 = C::button(this, "Command6", QStringLiteral("ヘルプ"), 3120, 6240, 1300);
    confirm_ = C::button(this, d.confirmButtonName, QStringLiteral("印刷設定状況確認"), 5760, 6240, 2160);
    Command4->setDefault(true);

    connect(Command1, &QPushButton::clicked, this, &PrintSettingsDialog::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &PrintSettingsDialog::Command2_Click);
    connect(Command5, &QPushButton::clicked, this, &PrintSettingsDialog::Command5_Click);
    connect(Command4, &QPushButton::clicked, this, &PrintSettingsDialog::Command4_Click);
    connect(Command3, &QPushButton::clicked, this, &PrintSettingsDialog::Command3_Click);
    connect(Command6, &QPushButton::clicked, this, &PrintSettingsDialog::Command6_Click);
    C::onChosen(Option1, this, [this] { Option1_Click(); });
    C::onChosen(Option2, this, [this] { Option2_Click(); });
    for (int i = 0; i < 2; ++i) C::onChosen(Option3[i], this, [this, i] { Option3_Click(i); });
    connect(SSTab1, &QTabWidget::currentChanged, this, &PrintSettingsDialog::SSTab1_Click);
}

PrintSettingsDialog::~PrintSettingsDialog() = default;

void PrintSettingsDialog::buildTabs(const Design& d)
{
    SSTab1 = C::make<QTabWidget>(this, "SSTab1", 240, 660, 7680, 5400);
    auto page = [this](const QString& caption) {
        auto* w = new QWidget;
        SSTab1->addTab(w, caption);
        return w;
    };

    QWidget* report = page(QStringLiteral("帳表の選定"));
    Frame3 = C::frame(report, "Frame3", QStringLiteral("作成する帳表を選択する"), 360, 360, 6840, 1560);
    Option3 = {C::make<QRadioButton>(Frame3, "Option3_0", 360, 420, 6000, 315),
               C::make<QRadioButton>(Frame3, "Option3_1", 360, 960, 6000, 315)};
    Option3[0]->setText(d.detailReport);
    Option3[1]->setText(QStringLiteral("　ＣＤケース背面用明細リスト"));
    Label12 = C::colouredNote(report, "Label12",
                              QStringLiteral("出力するプリンターのドライバーによっては、印刷設定でエラーになったり、設定が無視されることがことがあります。　事前にプリンターのプロバティで、「フチなし印刷」のチェックをはずしたり・用紙サイズ等を設定しておくことをお勧めします。"),
                              kDarkRed, 360, 2280, 6840, 1200);

    QWidget* fields = page(QStringLiteral("印刷項目の選定"));
    Label1 = C::label(fields, "Label1", QStringLiteral("印刷する項目の選択"), 240, 120, 4000);
    Label2 = C::label(fields, "Label2", QStringLiteral("印刷可能な項目"), 240, 480, 2700);
    Label3 = C::label(fields, "Label3", QStringLiteral("印刷する項目"), 4560, 480, 2700);
    List1 = C::make<QListWidget>(fields, "List1", 240, 780, 2700, 2640);
    chosen_ = C::make<QListWidget>(fields, d.chosenListName, 4560, 780, 2700, 2640);
    Command1 = C::button(fields, "Command1", QStringLiteral("選択　＞"), 3120, 1020, 1300);
    Command2 = C::button(fields, "Command2", QStringLiteral("＜　削除"), 3120, 1620, 1300);
    Command5 = C::button(fields, "Command5", QStringLiteral("全て選択　≫"), 3120, 2220, 1300);
    Label7 = C::colouredNote(fields, "Label7",
                             QStringLiteral("ＣＤケース背面用リストは、印刷できる項目が２項目(文字数が少なければ３項目)程度となります。"),
                             Qt::red, 240, 3600, 7080, 600);

    QWidget* font = page(QStringLiteral("フォント"));
    Label8 = C::colouredNote(font, "Label8", QStringLiteral("ＣＤケース背面用リストのフォント・サイズは ”８” に固定されます。"),
                             Qt::red, 360, 600, 6840, 600);

    QWidget* paperPage = page(QStringLiteral("用 紙"));
    Frame1 = C::frame(paperPage, "Frame1", QStringLiteral("用 紙"), 240, 240, 3480, 1920);
    Label9 = C::label(Frame1, "Label9", QStringLiteral("サイズ"), 240, 480, 1100);
    Combo2 = C::make<QComboBox>(Frame1, "Combo2", 1440, 420, 1500, 330);
    Label11 = C::label(Frame1, "Label11", QStringLiteral("左余白(mm)"), 240, 1140, 1200);
    Text2 = C::make<QLineEdit>(Frame1, "Text2", 1440, 1080, 900, 330);
    Frame2 = C::frame(paperPage, "Frame2", QStringLiteral("印刷の向き"), 3960, 240, 3360, 1920);
    Option1 = C::make<QRadioButton>(Frame2, "Option1", 240, 480, 900, 315);
    Option1->setText(QStringLiteral("縦"));
    Option2 = C::make<QRadioButton>(Frame2, "Option2", 240, 1140, 900, 315);
    Option2->setText(QStringLiteral("横"));
    Image1 = C::make<QLabel>(Frame2, "Image1", 1560, 360, 1200, 1200);
    Image1->setPixmap(sheet(false));
    Image1->setAlignment(Qt::AlignCenter);
    Image2 = C::make<QLabel>(Frame2, "Image2", 1560, 360, 1200, 1200);
    Image2->setPixmap(sheet(true));
    Image2->setAlignment(Qt::AlignCenter);
    Label10 = C::colouredNote(paperPage, "Label10",
                              QStringLiteral("ＣＤケース背面用リストは、用紙が印刷領域(137x117)に固定されます。"), Qt::red, 240,
                              2400, 7080, 600);

    titlePage_ = page(QStringLiteral("ヘッダー・タイトル"));
    Label4 = C::label(titlePage_, "Label4", QStringLiteral("ヘッダー・タイトル"), 360, 360, 3600);
    Label5 = C::label(titlePage_, "Label5", QStringLiteral("(入力ない場合は種目名とする)"), 360, 660, 4200);
    Text1 = C::make<QLineEdit>(titlePage_, "Text1", 360, 1020, 6840, 330);
    C::setAccessibleName(*Text1, Label4->text());
}

void PrintSettingsDialog::Form_Load()
{
    work_ = app_.printSettings;
    const Printer& p = app_.printer();
    savedPaper_ = p.paperSize();
    savedOrientation_ = p.orientation();
    savedFont_ = p.font();

    List1->clear();
    List1->addItems(fieldNames_);
    chosen_->clear();
    Combo2->clear();
    Combo2->addItems({QStringLiteral("A5"), QStringLiteral("A4"), QStringLiteral("B5")});
    Combo2->setCurrentIndex(1);
    {
        const QSignalBlocker quiet(SSTab1);
        SSTab1->setCurrentIndex(0);
    }
    work_.reportKind = 0;
    Text2->setText(QStringLiteral("10"));
    work_.leftMarginMm = 10;
    Option1->setChecked(true);
    Image1->setVisible(true);
    Image2->setVisible(false);
    showPaperChoice(true);
    loadOwnControls();
}

void PrintSettingsDialog::showPaperChoice(bool shown)
{
    for (QLabel* l : {Label7, Label8, Label10}) l->setVisible(!shown);
    for (QWidget* w : std::initializer_list<QWidget*>{Combo2, Option1, Option2}) w->setVisible(shown);
}

void PrintSettingsDialog::Option3_Click(int index)
{
    if (index < 0 || index >= static_cast<int>(Option3.size())) return;
    if (Option3[index]->isChecked())
        work_.reportKind = index == 0 ? 1 : 2;
    else
        work_.reportKind = 0;
    showPaperChoice(work_.reportKind != 2);
    reportChosen();
    SSTab1->setCurrentIndex(1);
}

void PrintSettingsDialog::SSTab1_Click()
{
    const int tab = SSTab1->currentIndex();
    if (tab != 0 && work_.reportKind == 0) {
        errorMessage(kNoReport, QStringLiteral("作成帳表選択洩れ"));
        return;
    }
    if (tab != 2 || work_.reportKind == 2) return;
    // The font of the detail list; the CD-case back list always prints at 8 points.
    const Ui::FontSpec preset{QStringLiteral("ＭＳ ゴシック"), 9.75, false, false};
    if (const std::optional<Ui::FontSpec> f = app_.ui().chooseFont(preset)) {
        app_.guardPrint([&] {
            Printer& p = app_.printer();
            p.setFont(PrintFont{f->name, f->size, f->bold, f->italic});
        });
    }
    SSTab1->setCurrentIndex(1);
}

void PrintSettingsDialog::Command1_Click()
{
    QListWidgetItem* item = List1->currentItem();
    if (!item || !item->isSelected()) return;
    chosen_->addItem(item->text());
    delete List1->takeItem(List1->row(item));
    List1->setCurrentRow(-1);
}

void PrintSettingsDialog::Command2_Click()
{
    QListWidgetItem* item = chosen_->currentItem();
    if (!item || !item->isSelected()) return;
    List1->addItem(item->text());
    delete chosen_->takeItem(chosen_->row(item));
    chosen_->setCurrentRow(-1);
}

void PrintSettingsDialog::Command5_Click()
{
    for (int i = 0; i < List1->count(); ++i) chosen_->addItem(List1->item(i)->text());
    List1->clear();
}

void PrintSettingsDialog::Option1_Click()
{
    Image1->setVisible(true);
    Image2->setVisible(false);
}

void PrintSettingsDialog::Option2_Click()
{
    Image2->setVisible(true);
    Image1->setVisible(false);
}

QStringList PrintSettingsDialog::chosenColumns() const
{
    QStringList out;
    for (int i = 0; i < chosen_->count(); ++i) out << chosen_->item(i)->text();
    return out;
}

int PrintSettingsDialog::LenMbcs(const QString& s) { return text::LenMbcs(s); }

void PrintSettingsDialog::setHeaderTitles(PrintSettings& s)
{
    const QString typed = text::Trim(Text1->text());
    s.headerTitle1 = typed.isEmpty() ? text::Trim(listHeading_) : typed;
}

bool PrintSettingsDialog::PrinterSet()
{
    PrintSettings& s = work_;
    Printer& p = app_.printer();
    bool complete = false;
    app_.guardPrint([&] {
        // Paper and, for the CD-case back list, its fixed font.
        int paperSize = paper::A5;
        if (s.reportKind == 2) {
            p.setPaperSize(paperSize);
            p.setFontSize(8);
            p.setFontBold(false);
        } else {
            const QString size = Combo2->currentText();
            paperSize = size == QLatin1String("A5") ? paper::A5 : size == QLatin1String("B5") ? paper::B5 : paper::A4;
            p.setPaperSize(paperSize);
        }
        const Orientation orientation = Option1->isChecked() ? Orientation::Portrait : Orientation::Landscape;
        p.setOrientation(orientation);
        // Kept with the layout: every print sets the printer to them again.
        s.paperSize = static_cast<qint16>(paperSize);
        s.orientation = static_cast<qint16>(orientation);

        s.leftMarginMm = static_cast<qint16>(printlayout::marginValue(Text2->text()).value_or(0));
        setHeaderTitles(s);
        printlayout::setLineMetrics(s, p);

        const QStringList chosen = chosenColumns();
        const int n = static_cast<int>(std::min<qsizetype>(chosen.size(), 8));
        columnCount(s) = static_cast<qint16>(n);
        for (int i = 0; i < n; ++i) {
            s.columnField[i] = 0;
            for (int k = 0; k < fieldNames_.size(); ++k)
                if (fieldNames_[k] == chosen[i]) s.columnField[i] = static_cast<qint16>(k);
            const printlayout::ColumnMeasure m =
                printlayout::measureColumn(p, fieldNames_.value(s.columnField[i]), rows_, s.columnField[i]);
            s.columnMaxBytes[i] = static_cast<qint16>(m.maxBytes);
            s.columnWidthMm[i] = static_cast<qint16>(m.widthMm);
        }
        printlayout::setPageMetrics(s, p);

        std::vector<int> printed;
        for (int i = 0; i < n; ++i) {
            s.columnWidthMm[i] = static_cast<qint16>(printlayout::printedWidth(s.columnWidthMm[i]));
            printed.push_back(s.columnWidthMm[i]);
        }
        fit_ = printlayout::pageFit(printed, s.leftMarginMm, s.usableWidthMm);
        complete = true;
    });
    return complete;
}

void PrintSettingsDialog::errorMessage(const QString& text, const QString& title)
{
    app_.ui().msgBox(text, Ui::Buttons::Ok, Ui::Icon::Critical, title);
}

bool PrintSettingsDialog::marginAccepted()
{
    if (printlayout::marginValue(Text2->text())) return true;
    errorMessage(QStringLiteral("左余白(mm)には、0～%1 の数値を入力して下さい。").arg(printlayout::kMaxMarginMm), kError);
    SSTab1->setCurrentIndex(3);
    Text2->setFocus();
    Text2->selectAll();
    return false;
}

void PrintSettingsDialog::setStatus(const QString& text)
{
    if (!status_) return;
    status_->setPanelText(3, text);
    status_->repaint();
    statusShown_ = !text.isEmpty();
}

void PrintSettingsDialog::Command4_Click()
{
    if (work_.reportKind == 0) {
        errorMessage(kNoReport, kError);
        return;
    }
    if (chosen_->count() == 0) {
        errorMessage(QStringLiteral("印刷項目が選択されていません。"), kError);
        return;
    }
    if (!marginAccepted()) return;

    setStatus(QStringLiteral("設定作業中"));
    if (!PrinterSet()) {
        // The printer refused a setting: nothing of this layout is handed over.
        setStatus(QString());
        return;
    }
    if (!fit_.fits()) {
        const QStringList lines =
            work_.reportKind == 2
                ? QStringList{QStringLiteral("印刷データが多いため、用紙の横幅に入りません。"),
                              QStringLiteral("印刷項目を減らして下さい。")}
                : QStringList{QStringLiteral("印刷データが多いため、用紙の横幅に入りません。"),
                              QStringLiteral("  ①用紙を横方向にするか、"), QStringLiteral("  ②印刷項目を減らすか、"),
                              QStringLiteral("  ③フォントサイズを小さくするか"),
                              QStringLiteral("の対策をお願いします。")};
        errorMessage(lines.join(QStringLiteral("\r\n")), kError);
        return;
    }
    work_.settingsCategory = static_cast<qint16>(category_);
    handOver();
    setStatus(QString());
    close();
}

void PrintSettingsDialog::handOver()
{
    PrintSettings& shared = app_.printSettings;
    PrintSettings next = work_;
    // The columns are now this report's: the other report has none until its own window is
    // accepted again. The print run is not this window's.
    next.mainColumnCount = 0;
    next.subColumnCount = 0;
    columnCount(next) = columnCount(work_);
    next.pageNumber = shared.pageNumber;
    next.currentLine = shared.currentLine;
    shared = next;
    accepted_ = true;
}

void PrintSettingsDialog::Command3_Click()
{
    columnCount(app_.printSettings) = 0;
    columnCount(work_) = 0;
    close();
}

void PrintSettingsDialog::Command6_Click() { app_.ui().sendHelpKey(*this); }

void PrintSettingsDialog::confirmClick()
{
    if (work_.reportKind == 0) {
        errorMessage(kNoReport, kError);
        return;
    }
    if (!marginAccepted()) return;
    if (!PrinterSet()) return;
    showConfirmation();
}

void PrintSettingsDialog::Form_Unload()
{
    if (unloaded_) return;
    unloaded_ = true;
    if (!accepted_) restorePrinter();
    // A layout refused for its width left "設定作業中" in the list's status bar.
    if (statusShown_) setStatus(QString());
}

void PrintSettingsDialog::restorePrinter()
{
    // The settings last accepted were computed for this paper, orientation and font.
    Printer& p = app_.printer();
    try {
        if (p.paperSize() != savedPaper_) p.setPaperSize(savedPaper_);
        if (p.orientation() != savedOrientation_) p.setOrientation(savedOrientation_);
        if (!(p.font() == savedFont_)) p.setFont(savedFont_);
    } catch (const PrinterError&) {
        // The device took these settings before; if it no longer does, it keeps what it has.
    }
}

void PrintSettingsDialog::closeEvent(QCloseEvent* e)
{
    Form_Unload();
    QDialog::closeEvent(e);
}

void PrintSettingsDialog::done(int result)
{
    Form_Unload();
    QDialog::done(result);
}


QStringList PrintSettingsDialog::namesOf(const std::array<FieldDefinition, 8>& fields, int count)
{
    QStringList names;
    for (int k = 0; k < std::clamp(count, 0, 8); ++k) names << fields[k].name;
    return names;
}
