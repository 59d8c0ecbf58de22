#pragma once
// The foreign currencies of the image beside the register's.
#include "sync/SmallTableSyncWindow.h"

class TSynchronizacjaBazyWalut : public TSmallTableSyncWindow {
    Q_OBJECT
public:
    explicit TSynchronizacjaBazyWalut(QWidget* parent = nullptr);

private:
    FormInstance<TSynchronizacjaBazyWalut> instance_;
};

extern TSynchronizacjaBazyWalut* SynchronizacjaBazyWalut;
