#include "view/main_view.h"

#include "view/main_form.h"

namespace penlark {

MainView::MainView() : View(mainWindowForm()) {}

} // namespace penlark
