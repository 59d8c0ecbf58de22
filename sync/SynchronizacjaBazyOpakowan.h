#pragma once
// The returnable packagings of the image beside the register's.
#include "sync/SmallTableSyncWindow.h"

class TSynchronizacjaBazyOpakowan : public TSmallTableSyncWindow {
    Q_OBJECT
public:
    explicit TSynchronizacjaBazyOpakowan(QWidget* parent = nullptr);

private:
    FormInstance<TSynchronizacjaBazyOpakowan> instance_;
};

extern TSynchronizacjaBazyOpakowan* SynchronizacjaBazyOpakowan;
