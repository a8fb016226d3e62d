#include "window/frmQuorvela.h"

namespace quorvela {

using runtime::Screen;

void frmQuorvela::Form_Load() {
    // Centred across the screen, one third of the free height above the
    // window; a window larger than the screen stands partly off it.
    const float larghezza = Width();
    SetLeft((Screen::Width() - larghezza) / 2.0F);
    const float altezza = Height();
    SetTop((Screen::Height() - altezza) / 3.0F);

    SetCaption(Layout().caption);

    for (const char* giri : {"100", "200", "500", "1000", "1500", "2000", "2500"}) {
        cboGiri.AddItem(giri);
    }
    cboGiri.SetListIndex(3);

    for (const char* colpi : {"200", "500", "1000"}) {
        cboColpi.AddItem(colpi);
    }
    cboColpi.SetListIndex(0);

    optScelta(0).SetValue(true);
}

}  // namespace quorvela
