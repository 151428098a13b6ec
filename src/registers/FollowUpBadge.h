#pragma once
// The main window's badge of open follow-up items.
namespace portdesk {

class MainPage;

// Recounts the open follow-up items and shows or hides the badge.
void refreshFollowUpBadge(MainPage &page);
// Shows the badge for `count` open declarations; hides it for none.
void showFollowUpBadge(MainPage &page, int count);

} // namespace portdesk
