#pragma once
// The goods groups of the image beside the register's.
#include "sync/SmallTableSyncWindow.h"

class TSynchronizacjaBazyGrupTowarowych : public TSmallTableSyncWindow {
    Q_OBJECT
public:
    explicit TSynchronizacjaBazyGrupTowarowych(QWidget* parent = nullptr);

private:
    FormInstance<TSynchronizacjaBazyGrupTowarowych> instance_;
};

extern TSynchronizacjaBazyGrupTowarowych* SynchronizacjaBazyGrupTowarowych;
