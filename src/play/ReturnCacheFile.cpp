#include "ReturnCacheFile.h"

#include "prefs/DataFolder.h"

namespace drawmentor {

std::unique_ptr<TReturnCache> OpenUserReturnCache() {
    return std::make_unique<TReturnCache>(
        DataFileWritePath(QStringLiteral("DrawMentor.returns")).toStdString());
}

} // namespace drawmentor
