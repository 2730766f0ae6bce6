#include "writing/writing_session.h"

#include "app/app.h"

namespace penlark {

void saveSession(App&)
{
    // The writing loop arrives with its own work; until then closing saves nothing.
}

} // namespace penlark
