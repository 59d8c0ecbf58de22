#include "sync/SynchronizacjaBazyWalut.h"

TSynchronizacjaBazyWalut* SynchronizacjaBazyWalut = nullptr;

TSynchronizacjaBazyWalut::TSynchronizacjaBazyWalut(QWidget* parent)
    : TSmallTableSyncWindow(Member(SmallTable::Currencies), parent), instance_(SynchronizacjaBazyWalut, this)
{
}
