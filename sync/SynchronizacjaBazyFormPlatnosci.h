#pragma once
// The payment forms of the image beside the register's.
#include "sync/SmallTableSyncWindow.h"

class TSynchronizacjaBazyFormPlatnosci : public TSmallTableSyncWindow {
    Q_OBJECT
public:
    explicit TSynchronizacjaBazyFormPlatnosci(QWidget* parent = nullptr);

private:
    FormInstance<TSynchronizacjaBazyFormPlatnosci> instance_;
};

extern TSynchronizacjaBazyFormPlatnosci* SynchronizacjaBazyFormPlatnosci;
