#include "app/day_stamp.h"

namespace penlark {

GbText dayStamp(const LocalDateTime& date)
{
    return textFromInt(date.year) + textFromInt(date.month) + textFromInt(date.day);
}

} // namespace penlark
