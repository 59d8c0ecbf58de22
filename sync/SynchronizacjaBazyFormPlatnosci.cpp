#include "sync/SynchronizacjaBazyFormPlatnosci.h"

TSynchronizacjaBazyFormPlatnosci* SynchronizacjaBazyFormPlatnosci = nullptr;

TSynchronizacjaBazyFormPlatnosci::TSynchronizacjaBazyFormPlatnosci(QWidget* parent)
    : TSmallTableSyncWindow(Member(SmallTable::PaymentForms), parent), instance_(SynchronizacjaBazyFormPlatnosci, this)
{
}
