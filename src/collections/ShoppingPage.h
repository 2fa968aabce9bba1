#pragma once

#include "collections/BlockSectionPage.h"
#include "collections/ShoppingList.h"

#include <QDate>

class MmCanvas;
class QComboBox;
class QDateEdit;
class QLabel;
class QTableWidget;

// The shopping lists, page 8 "TabSheet8": one dated list per trip to a shop,
// kept as one block of the ".oco" file:
//
//     <BLOC0003>
//     14/03/2026                          date
//     Marché                              shop
//     CMDEPommes\t   2\t   1,50\t   3,00  one line per item row
//     </BLOC0003>
//
// The item grid StringGrid5 holds designation, quantity, price and amount;
// the amounts and the total are computed by Calculec. Every edit of the list
// marks it changed, and a changed list that has a designation is written
// back whenever the user leaves it (another list, another section, save, the
// close question).
class ShoppingPage : public BlockSectionPage
{
    Q_OBJECT

public:
    ShoppingPage(DocumentContext &context, BlockFile &file, QWidget *parent = nullptr);
    bool print(MmCanvas &canvas) override;

    // The section's routines under their own names.
    bool Validec() const;
    void Calculec();
    // Enter in the grid (the key rules of StringGrid5KeyPress).
    void StringGrid5Enter();

    int rowCount() const { return m_rowCount; }
    QString totalText() const;
    QDate date() const;
    QString shop() const;
    // Rows 1.. of the grid that take part in writing and printing: up to the
    // row count, and further to the last row holding text.
    QList<Shopping::Row> rows() const;
    // The column titles as the grid shows them.
    QStringList titles() const;

    void writeBack() override;
    void layoutFor(int width, int height) override;

protected:
    void clearRecord() override;
    void showRecord(const QStringList &body) override;
    std::optional<QStringList> recordFromScreen() override;
    bool mayWrite() const override;
    QString recordTitle() const override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Shopping::Measure measure() const;
    QList<Shopping::Row> gridRows(int upTo) const;
    void setGridRows(const QList<Shopping::Row> &rows);
    int lastTextRow() const; // 1-based, 0 when the grid is empty
    void setTotal(qint64 cents);
    void cellEdited(int row, int column);
    void userEdit();

    QLabel *m_header = nullptr;
    QDateEdit *m_date = nullptr;
    QComboBox *m_shop = nullptr;
    QTableWidget *m_grid = nullptr;
    QLabel *m_total = nullptr;
    int m_rowCount = 1;
    bool m_filling = false;
};
