#include "sync/SynchronizacjaBazyGrupTowarowych.h"

TSynchronizacjaBazyGrupTowarowych* SynchronizacjaBazyGrupTowarowych = nullptr;

TSynchronizacjaBazyGrupTowarowych::TSynchronizacjaBazyGrupTowarowych(QWidget* parent)
    : TSmallTableSyncWindow(Member(SmallTable::GoodsGroups), parent), instance_(SynchronizacjaBazyGrupTowarowych, this)
{
}
