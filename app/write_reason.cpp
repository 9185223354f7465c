#include "app/write_reason.h"

#include <cerrno>

namespace strikon {

QString writeReason(const WriteResult& result, Language language) {
    if (language != Language::Russian) {
        return result.error;
    }
    struct Reason {
        int errnum;
        const char* text;
    };
    static constexpr Reason kRussian[] = {
        {ENOSPC, "на диске нет места"},   {EDQUOT, "превышена дисковая квота"},
        {EFBIG, "файл слишком велик"},    {EACCES, "нет доступа"},
        {EPERM, "операция не разрешена"}, {EROFS, "диск доступен только для чтения"},
        {ENOENT, "папка не существует"},  {ENOTDIR, "часть пути не является папкой"},
        {EIO, "ошибка ввода-вывода"},     {ENAMETOOLONG, "слишком длинное имя"},
        {ENOMEM, "не хватило памяти"},
    };
    for (const Reason& r : kRussian) {
        if (r.errnum == result.systemError) {
            return QString::fromUtf8(r.text);
        }
    }
    return result.error;
}

}  // namespace strikon
