#pragma once
// "Lista towarów": the stored goods, from which the quick-key editor picks a PLU.
#include "platform/Form.h"

class GoodsGridModel;
class QPushButton;
class QTableView;

class TListaTowarow : public TForm {
    Q_OBJECT
public:
    explicit TListaTowarow(QWidget* parent = nullptr);

    QTableView* StringGrid1 = nullptr;
    GoodsGridModel* GoodsModel = nullptr;
    QPushButton* Button1 = nullptr;   // "OK"
    QPushButton* Button2 = nullptr;   // "Zamknij"

    // The PLU of the row chosen with "OK" (0: none). The quick-key window reads it after the
    // list closes with Accepted.
    unsigned SelectedPlu = 0;

    void FormShow() override;
    // Esc closes, Enter takes the selected row.
    bool FormKeyDown(int key) override;
    void Button1Click();          // OK
    void Button2Click();          // Zamknij
    void StringGrid1DblClick();

    int SelectedRow() const;
    void SelectRow(int row);

private:
    FormInstance<TListaTowarow> instance_;
};

extern TListaTowarow* ListaTowarow;
