#include "surface/font_cache.h"

#include <QCoreApplication>
#include <QHash>
#include <QRawFont>
#include <QThread>
#include <utility>

namespace strikon {

namespace {

// For this thread only: a raw font and its glyph cache are not to be shared between threads.
// A symbol uses two or three heights; the bound only keeps a long session of zooming from
// growing the cache.
class FontCache {
  public:
    const CellFont& font(const QString& face, int32_t cellHeight) {
        const Key key{face, cellHeight};
        if (const auto found = fonts_.constFind(key); found != fonts_.constEnd()) {
            return *found;
        }
        if (fonts_.size() >= kMaxFonts) {
            fonts_.clear();
        }
        return *fonts_.insert(key, CellFont(faceNamed(face), cellHeight));
    }

    // A worker thread's fonts go with the thread. The main thread's are never destroyed: it
    // outlives the application object, and fonts must not be released after it.
    static FontCache& forThisThread() {
        const QCoreApplication* app = QCoreApplication::instance();
        if (app == nullptr || QThread::currentThread() == app->thread()) {
            static FontCache* const mainThread = new FontCache;
            return *mainThread;
        }
        thread_local FontCache worker;
        return worker;
    }

  private:
    using Key = std::pair<QString, int32_t>;
    static constexpr qsizetype kMaxFonts = 64;

    const QRawFont& faceNamed(const QString& face) {
        auto found = faces_.find(face);
        if (found == faces_.end()) {
            found = faces_.insert(face, CellFont::resolveFace(face));
        }
        return *found;
    }

    QHash<QString, QRawFont> faces_;
    QHash<Key, CellFont> fonts_;
};

}  // namespace

const CellFont& cachedCellFont(const QString& face, int32_t cellHeight) {
    return FontCache::forThisThread().font(face, cellHeight);
}

}  // namespace strikon
