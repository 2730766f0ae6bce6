#include "look/tips_ticker.h"

#include "app/app.h"

namespace penlark {

void showNextTip(App&)
{
    // The tips ticker arrives with the looks work; panel 2 keeps its text until then.
}

} // namespace penlark
