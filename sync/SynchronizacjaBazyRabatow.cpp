#include "sync/SynchronizacjaBazyRabatow.h"

TSynchronizacjaBazyRabatow* SynchronizacjaBazyRabatow = nullptr;

TSynchronizacjaBazyRabatow::TSynchronizacjaBazyRabatow(QWidget* parent)
    : TSmallTableSyncWindow(Member(SmallTable::Discounts), parent), instance_(SynchronizacjaBazyRabatow, this)
{
}
