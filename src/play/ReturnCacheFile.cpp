#include "ReturnCacheFile.h"

#include "prefs/DataFolder.h"

namespace drawmentor {

std::unique_ptr<TReturnCache> OpenUserReturnCache() {
    return std::make_unique<TReturnCache>(
        DataFileWritePath(QStringLiteral("DrawMentor.returns")).toStdString());
}

std::shared_ptr<TReturnCache> SharedUserReturnCache() {
    static std::weak_ptr<TReturnCache> shared;
    static QString sharedFolder;
    std::shared_ptr<TReturnCache> cache = shared.lock();
    if (!cache || sharedFolder != DataFolder()) {
        cache = OpenUserReturnCache();
        shared = cache;
        sharedFolder = DataFolder();
    }
    return cache;
}

} // namespace drawmentor
