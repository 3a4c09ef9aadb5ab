#include "printing/PrintSettingsConfirmation.h"

#include "core/App.h"
#include "core/PrintSettings.h"
#include "platform/print/Printer.h"
#include "platform/text/TextUtil.h"
#include "platform/ui/HelpKey.h"
#include "platform/ui/Ui.h"
#include "platform/widgets/NamedControls.h"
#include "printing/PrintLayout.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <vector>

namespace {

using C = NamedControls;

QListWidget* list(QWidget* parent, const char* name, int left, int top, int width, int height)
{
    auto* l = C::make<QListWidget>(parent, name, left, top, width, height);
    l->setSelectionMode(QAbstractItemView::NoSelection);
    return l;
}

}  // namespace

PrintSettingsConfirmation::PrintSettingsConfirmation(App& app, const char* objectName, PrintSettings& settings,
                                                     const QStringList& fieldNames, const QStringList& chosen,
                                                     const ReportListView& rows)
    : app_(app), settings_(settings), fieldNames_(fieldNames), chosen_(chosen), rows_(rows)
{
    setObjectName(QString::fromLatin1(objectName));
    installHelpKey(*this, app_.ui());
    setFixedSize(text::twipsToPixels(9360), text::twipsToPixels(6600));

    Label1 = C::heading(this, "Label1", QStringLiteral("印刷設定状況確認"), 240, 120, 7900, 420);
    Label2 = C::label(this, "Label2",
                      QStringLiteral("印刷設定画面で、各項目に設定したデータによる現在の印刷条件は、次の通りです。"), 240,
                      660, 7900);
    Label3 = C::label(this, "Label3", QStringLiteral("作成帳表："), 240, 1080, 1500);
    Label4 = C::label(this, "Label4", QString(), 1800, 1080, 6000);

    // Each caption stands whole over its two lists, in the program's font too.
    Label5 = C::label(this, "Label5", QStringLiteral("印刷可能な項目    　　　　　　横幅サイズ(mm)"), 240, 1500, 4400);
    List1 = list(this, "List1", 240, 1800, 2700, 2400);
    List2 = list(this, "List2", 2940, 1800, 1300, 2400);
    Label6 = C::label(this, "Label6", QStringLiteral("印刷する項目　       　　　　　横幅サイズ(mm)"), 4800, 1500, 4440);
    List3 = list(this, "List3", 4800, 1800, 2700, 2400);
    List4 = list(this, "List4", 7500, 1800, 1300, 2400);

    Label13 = C::label(this, "Label13", QStringLiteral("フォント・サイズ："), 240, 4440, 2200);
    Label16 = C::label(this, "Label16", QString(), 2520, 4440, 1500);
    Label14 = C::label(this, "Label14", QStringLiteral("用紙サイズ："), 240, 4800, 2200);
    Label17 = C::label(this, "Label17", QString(), 2520, 4800, 1500);
    Label15 = C::label(this, "Label15", QStringLiteral("用紙の向き："), 240, 5160, 2200);
    Label18 = C::label(this, "Label18", QString(), 2520, 5160, 1500);
    Label9 = C::label(this, "Label9", QStringLiteral("用紙の左余白："), 4800, 4440, 2200);
    Label8 = C::label(this, "Label8", QString(), 7080, 4440, 1200);
    Label7 = C::label(this, "Label7", QStringLiteral("用紙の横幅サイズ："), 4800, 4800, 2200);
    Label10 = C::label(this, "Label10", QString(), 7080, 4800, 1200);
    Label11 = C::label(this, "Label11", QStringLiteral("差引余裕サイズ："), 4800, 5160, 2200);
    Label12 = C::label(this, "Label12", QString(), 7080, 5160, 1200);
    Label19 = C::label(this, "Label19", QStringLiteral("ヘッダー・タイトル："), 240, 5700, 2200);
    Label20 = C::label(this, "Label20", QString(), 2520, 5700, 5700);
}

void PrintSettingsConfirmation::Form_Load()
{
    PrintSettings& s = settings_;
    const Printer& p = app_.printer();

    setWindowTitle(app_.cache.caption(QStringLiteral("印刷設定状況確認")));
    Label4->setText(s.reportKind == 2 ? QStringLiteral("ＣＤケース背面用明細リスト") : QStringLiteral("種目明細一覧表"));

    // Every field's width over its heading and the rows the list shows.
    List1->clear();
    List1->addItems(fieldNames_);
    std::vector<int> w(fieldNames_.size());
    for (int k = 0; k < fieldNames_.size(); ++k) w[k] = printlayout::measureColumn(p, fieldNames_[k], rows_, k).widthMm;

    printlayout::setPageMetrics(s, p);

    List2->clear();
    for (int& width : w) {
        width = printlayout::printedWidth(width);
        List2->addItem(QString::number(width));
    }

    List3->clear();
    List4->clear();
    std::vector<int> printed;
    for (int i = 0; i < chosen_.size() && i < 8; ++i) {
        const int field = s.columnField[i];
        const int width = field >= 0 && field < static_cast<int>(w.size()) ? w[field] : 0;
        List3->addItem(chosen_[i]);
        List4->addItem(QString::number(width));
        printed.push_back(width);
    }
    const printlayout::PageFit fit = printlayout::pageFit(printed, s.leftMarginMm, s.usableWidthMm);
    List3->addItem(QStringLiteral("(** 合計 **)"));
    List4->addItem(QString::number(fit.columnsMm));

    Label16->setText(QString::number(p.fontSize()));
    if (s.reportKind == 2)
        Label17->setText(QStringLiteral("ＣＤケース(A5)"));
    else
        Label17->setText(p.paperSize() == paper::A5   ? QStringLiteral("A5")
                         : p.paperSize() == paper::B5 ? QStringLiteral("B5")
                                                      : QStringLiteral("A4"));
    Label18->setText(p.orientation() == Orientation::Portrait ? QStringLiteral("縦") : QStringLiteral("横"));
    Label8->setText(QString::number(s.leftMarginMm));
    Label10->setText(QString::number(s.usableWidthMm));

    if (!fit.fits()) {
        Label11->setText(QStringLiteral("差引サイズオーバー"));
        C::setTextColour(*Label11, Qt::red);
        Label12->setText(QString::number(-fit.spareMm));
        C::setTextColour(*Label12, Qt::red);
    } else {
        Label11->setText(QStringLiteral("差引余裕サイズ"));
        C::setTextColour(*Label11, Qt::blue);
        Label12->setText(QString::number(fit.spareMm));
        C::setTextColour(*Label12, QApplication::palette().color(QPalette::ButtonText));
    }
    showTitles();
}

void PrintSettingsConfirmation::showTitles() { Label20->setText(settings_.headerTitle1); }
