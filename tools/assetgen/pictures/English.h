// The English picture set: the captions by picture name, and which pictures carry words at all.
#pragma once

#include <string_view>

#include "pictures/Manifest.h"

namespace assetgen {

struct EnglishCaption {
  std::string_view name;
  std::string_view text;
};

// The English form of every caption the manifest gives; each fits the same button or card.
inline constexpr EnglishCaption kEnglishCaptions[] = {
    {"scr_help", "Controls"},
    {"scr_help2", "Pickups"},
    {"scr_help3", "Hazards"},
    {"scr_help4", "Race Rules"},
    {"scr_hiscr", "High Scores"},
    {"scr_clearhiscr", "Clear the high scores?"},
    {"scr_ExitTheGame", "Quit the game?"},
    {"scr_add", "New Player"},
    {"scr_opt", "Options"},
    {"scr_change", "Players"},
    {"scr_delete", "Delete this player?"},
    {"scr_choose", "Choose a Track"},
    {"scr_choosecar", "Choose a Truck"},
    {"tr_notav", "Track Locked"},
    {"c_car1", "Speeder"},
    {"c_car2", "Turbo"},
    {"c_car3", "Vulcan"},
    {"c_car4", "Viper"},
    {"c_car5", "Beast"},
    {"b_stgame", "Start Game"},
    {"b_opt", "Options"},
    {"b_hiscr", "High Scores"},
    {"b_help", "Help"},
    {"b_visit", "More Games"},
    {"b_exit", "Exit"},
    {"b_logo", "Our Website"},
    {"b_presshere", "Change Player"},
    {"b_back", "Back"},
    {"b_next", "Next"},
    {"b_prev", "Previous"},
    {"b_clrhiscr", "Clear Table"},
    {"b_viewwhiscr", "Online Scores"},
    {"b_yes", "Yes"},
    {"b_no", "No"},
    {"b_add", "Add"},
    {"b_yes1", "Yes"},
    {"b_no1", "No"},
    {"bro_next", "Next"},
    {"b_apply", "Apply"},
    {"b_cancel", "Cancel"},
    {"b_on", "On"},
    {"b_off", "Off"},
    {"b_delete", "Delete"},
    {"b_back2", "Back"},
    {"b_select", "Select"},
    {"bc_race", "Race!"},
    {"bc_classic", "Classic"},
    {"bc_easy", "Easy"},
    {"scr_exitgame", "Leave the race?"},
    {"scr_gameover", "Game Over"},
    {"scr_timesup", "Time's Up!"},
    {"scr_send", "Send your score?"},
    {"scr_yourscore", "Your Score"},
    {"scr_raceover", "Finish!"},
    {"scr_screen", "Screen and Sound"},
    {"scr_controls", "Controls"},
    {"b_controls", "Controls"},
    {"b_defaults", "Defaults"},
    {"b_screen", "Screen, Sound"},
    {"b_fit", "Fit"},
    {"b_sharp", "Sharp"},
    {"b_russian", "Russian"},
    {"b_english", "English"},
    {"scr_seed", "Road Code Race"},
    {"scr_replays", "Replays"},
    {"b_seedrace", "Road Code"},
    {"b_daily", "Daily Road"},
    {"b_replay", "Replay"},
    {"b_replays", "Replays"},
    {"b_sendtime", "Send time"},
};

// The English caption of the picture called Name, or empty when the table has none.
constexpr std::string_view EnglishCaptionOf(std::string_view name) {
  for (const EnglishCaption& c : kEnglishCaptions) {
    if (c.name == name) return c.text;
  }
  return {};
}

// Pic's words in the language it is drawn for.
constexpr std::string_view Say(const Picture& pic, std::string_view russian,
                               std::string_view english) {
  return pic.english ? english : russian;
}

// True when Pic shows words (a caption, or text its painter writes): the English set redraws it.
constexpr bool HasWords(const Picture& pic) {
  // A caption that reads the same in both ("English" on the language switch) needs no second copy.
  if (!pic.text.empty()) return EnglishCaptionOf(pic.name) != pic.text;
  for (Painter p : {PaintHelpPage, PaintHiScoreScreen, PaintQuestion, PaintAddProfile, PaintOptions,
                    PaintProfileList, PaintTruckChoice, PaintYourScore, PaintRaceOver,
                    PaintRaceNotice, PaintDashboard, PaintProgressStrip, PaintMainBack, PaintLogo,
                    PaintControls, PaintSeedRace, PaintReplayList}) {
    if (pic.paint == p) return true;
  }
  return false;
}

// Pic as the English set draws it: the same picture with its caption in English.
constexpr Picture InEnglish(const Picture& pic) {
  Picture english = pic;
  english.english = true;
  if (!pic.text.empty()) english.text = EnglishCaptionOf(pic.name);
  return english;
}

}  // namespace assetgen
