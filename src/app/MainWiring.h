#pragma once

namespace portdesk {

class MainPage;

// Attaches every subsystem's behaviour to a freshly built main window. Each
// subsystem adds its controller here (QObjects parented to the page).
void wireMainPage(MainPage &page);

} // namespace portdesk
