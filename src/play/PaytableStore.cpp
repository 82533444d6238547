#include "PaytableStore.h"

#include "prefs/DataFolder.h"

namespace drawmentor {

std::unique_ptr<TPayoutStorage> OpenPaytableStore() {
    const QString name = QStringLiteral("DrawMentor.dat");
    // The write path is only used by a save, which creates the folder then.
    return std::make_unique<TPayoutStorage>(DataFileReadPath(name).toStdString(),
                                            (DataFolder() + name).toStdString());
}

} // namespace drawmentor
