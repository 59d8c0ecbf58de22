#include "sync/SynchronizacjaBazyOpakowan.h"

TSynchronizacjaBazyOpakowan* SynchronizacjaBazyOpakowan = nullptr;

TSynchronizacjaBazyOpakowan::TSynchronizacjaBazyOpakowan(QWidget* parent)
    : TSmallTableSyncWindow(Member(SmallTable::Packagings), parent), instance_(SynchronizacjaBazyOpakowan, this)
{
}
