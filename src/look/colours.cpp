#include "look/colours.h"

#include "app/app.h"

namespace penlark {

void applyBackground(App& app)
{
    const Color colour = app.view.selectedColor("颜色");
    app.view.setBackColor("MainWindow", colour);
    app.view.setBackColor("编辑框1", colour);
    applyTheme(app);
}

void applyTheme(App&)
{
    // The theme table arrives with the points and looks work; the form's colours stand until then.
}

} // namespace penlark
