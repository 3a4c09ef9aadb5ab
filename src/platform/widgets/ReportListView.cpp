#include "platform/widgets/ReportListView.h"

#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>

#include "platform/widgets/Twips.h"

ReportListView::ReportListView(QWidget* parent)
    : QTableView(parent), m_model(new ReportListModel(this))
{
    setModel(m_model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Unsorted (the rows are sorted by the model), with columns the person resizes by hand:
    // the view's own defaults.
    setShowGrid(false);
    setWordWrap(false);
    setTabKeyNavigation(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

    // Fixed row heights keep a list of 100 000 rows cheap to lay out.
    QHeaderView* vh = verticalHeader();
    vh->hide();
    vh->setSectionResizeMode(QHeaderView::Fixed);
    vh->setDefaultSectionSize(fontMetrics().height() + 4);

    QHeaderView* hh = horizontalHeader();
    hh->setStretchLastSection(false);
    hh->setHighlightSections(false);
    hh->setSectionsClickable(true);
    hh->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    connect(hh, &QHeaderView::sectionClicked, this, &ReportListView::columnClicked);
    connect(hh, &QHeaderView::sectionResized, this, &ReportListView::onSectionResized);
    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex& i) {
        if (i.isValid())
            emit itemClicked(i.row());
    });
}

// ---- columns ----

void ReportListView::clearColumns()
{
    m_model->clearColumns();
}

int ReportListView::addColumn(const QString& caption, int widthTwips, bool rightAligned)
{
    const int col = m_model->addColumn(caption, widthTwips, rightAligned);
    setColumnWidthTwips(col, widthTwips);
    return col;
}

void ReportListView::setColumns(std::vector<ReportListModel::Column> columns)
{
    m_model->setColumns(std::move(columns));
    for (int col = 0; col < columnCount(); ++col)
        setColumnWidthTwips(col, m_model->column(col).widthTwips);
}

int ReportListView::columnCount() const
{
    return m_model->columns();
}

QString ReportListView::columnCaption(int col) const
{
    return col >= 0 && col < columnCount() ? m_model->column(col).caption : QString();
}

int ReportListView::columnWidthTwips(int col) const
{
    return col >= 0 && col < columnCount() ? m_model->column(col).widthTwips : 0;
}

void ReportListView::setColumnWidthTwips(int col, int widthTwips)
{
    if (col < 0 || col >= columnCount())
        return;
    m_model->setColumnWidthTwips(col, widthTwips);
    m_settingWidth = true;
    setColumnWidth(col, twipsToPixelsX(*this, widthTwips));
    m_settingWidth = false;
}

void ReportListView::onSectionResized(int col, int, int newSize)
{
    // A column the user dragged keeps its new width in twips.
    if (!m_settingWidth)
        m_model->setColumnWidthTwips(col, pixelsToTwipsX(*this, newSize));
}

bool ReportListView::columnRightAligned(int col) const
{
    return col > 0 && col < columnCount() && m_model->column(col).rightAligned;
}

void ReportListView::setValueColumn(int col, bool values)
{
    m_model->setValueColumn(col, values);
}

bool ReportListView::isValueColumn(int col) const
{
    return col >= 0 && col < columnCount() && m_model->column(col).values;
}

void ReportListView::setHeadersVisible(bool visible)
{
    horizontalHeader()->setVisible(visible);
}

bool ReportListView::headersVisible() const
{
    return !horizontalHeader()->isHidden();
}

void ReportListView::setGridLines(bool on)
{
    setShowGrid(on);
}

// ---- items ----

void ReportListView::clearItems()
{
    m_model->clearItems();
}

int ReportListView::addItem(const QString& text)
{
    return m_model->addItem(text);
}

int ReportListView::addRows(std::vector<QStringList> rows)
{
    return m_model->addRows(std::move(rows));
}

int ReportListView::addPackedRows(std::vector<QByteArray> rows)
{
    return m_model->addPackedRows(std::move(rows));
}

void ReportListView::setSubItem(int row, int col, const QString& text)
{
    m_model->setCell(row, col, text);
}

int ReportListView::rowCount() const
{
    return m_model->itemCount();
}

QString ReportListView::text(int row, int col) const
{
    return m_model->cell(row, col);
}

QString ReportListView::value(int row, int col) const
{
    return m_model->value(row, col);
}

void ReportListView::beginBulk()
{
    m_model->beginBulk();
}

void ReportListView::endBulk()
{
    m_model->endBulk();
}

// ---- selection ----

int ReportListView::selectedIndex() const
{
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void ReportListView::setSelectedIndex(int row)
{
    m_model->flush();
    if (row < 0 || row >= rowCount() || columnCount() == 0) {
        clearSelection();
        return;
    }
    selectionModel()->setCurrentIndex(m_model->index(row, 0),
                                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void ReportListView::ensureVisible(int row)
{
    m_model->flush();
    if (row >= 0 && row < rowCount() && columnCount() > 0)
        scrollTo(m_model->index(row, 0), QAbstractItemView::EnsureVisible);
}

void ReportListView::keyPressEvent(QKeyEvent* event)
{
    const int before = currentIndex().row();
    QTableView::keyPressEvent(event);
    const QModelIndex now = currentIndex();
    if (now.isValid() && now.row() != before)
        emit itemClicked(now.row());
}

// Home and End go to the first and the last row, as in any list, rather than along the row;
// the column stays, so the list does not scroll sideways.
QModelIndex ReportListView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    if (action != MoveHome && action != MoveEnd) return QTableView::moveCursor(action, modifiers);
    const QModelIndex to = QTableView::moveCursor(action, modifiers | Qt::ControlModifier);
    const QModelIndex from = currentIndex();
    return to.isValid() && from.isValid() ? m_model->index(to.row(), from.column()) : to;
}

void ReportListView::focusOutEvent(QFocusEvent* event)
{
    QTableView::focusOutEvent(event);
    // Another window, a pop-up or the menu bar taking the keys is not leaving the list.
    const Qt::FocusReason why = event->reason();
    if (why != Qt::PopupFocusReason && why != Qt::ActiveWindowFocusReason && why != Qt::MenuBarFocusReason)
        emit lostFocus();
}

// ---- sorting ----

void ReportListView::setSortKey(int col)
{
    if (col == m_sortKey)
        return;
    m_sortKey = col;
    if (m_sorted)
        applySort();
}

void ReportListView::setSortOrder(Qt::SortOrder order)
{
    if (order == m_sortOrder)
        return;
    m_sortOrder = order;
    if (m_sorted)
        applySort();
}

void ReportListView::setSorted(bool on)
{
    m_sorted = on;
    if (on)
        applySort();
    horizontalHeader()->setSortIndicatorShown(on);
}

void ReportListView::applySort()
{
    m_model->sortRows(m_sortKey, m_sortOrder);
    horizontalHeader()->setSortIndicator(m_sortKey, m_sortOrder);
}

// ---- find ----

int ReportListView::findItem(const QString& text, FindMode mode, bool subItems) const
{
    const int n = rowCount();
    for (int r = 0; r < n; ++r) {
        const QStringList& cells = m_model->rowCells(r);
        if (subItems) {
            for (int c = 1; c < cells.size(); ++c)
                if (cells[c].compare(text, Qt::CaseInsensitive) == 0)
                    return r;
        } else if (mode == FindMode::WholeText) {
            if (cells[0].compare(text, Qt::CaseInsensitive) == 0)
                return r;
        } else if (cells[0].startsWith(text, Qt::CaseInsensitive)) {
            return r;
        }
    }
    return -1;
}
