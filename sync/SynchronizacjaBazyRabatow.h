#pragma once
// The discounts and surcharges of the image beside the register's.
#include "sync/SmallTableSyncWindow.h"

class TSynchronizacjaBazyRabatow : public TSmallTableSyncWindow {
    Q_OBJECT
public:
    explicit TSynchronizacjaBazyRabatow(QWidget* parent = nullptr);

private:
    FormInstance<TSynchronizacjaBazyRabatow> instance_;
};

extern TSynchronizacjaBazyRabatow* SynchronizacjaBazyRabatow;
