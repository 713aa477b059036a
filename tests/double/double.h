// The recording test double: it stands in for the platform and for the parts of the program
// that a test does not exercise, and writes every call into one log, in order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Log lines read like the calls: "DrawBall 3 4 2 0", "ClearCell 1 2", "DrawScore 12",
// "DrawNextBalls 4,2:0 8,4:0 2,6:0" (column,row:colour), "DrawAllBalls", "RedrawScreen 0 1 1",
// "Sound move.wav cuts", "Pause 20", "Dialog 1002".
std::vector<std::string>& CallLog();
void ClearCallLog();
void SetRecording(bool on); // off for long runs that only need the game to go on
bool RecordingOn();
int CountCalls(const std::string& line);
struct NextBall;
std::string NextBallsCall(const NextBall* balls); // the line DrawNextBalls(balls) logs
void Record(const char* format, ...) __attribute__((format(printf, 1, 2)));
extern int LivePixelBuffers; // made by CreatePixelBuffer and not yet freed

// Brings the double, the settings values, the leader tables, the daily results and the help a
// player asked for back to a first start in an empty directory "C:\games" at 12:34:56.789 UTC
// on 2026-12-07, where every question is answered OK.
void ResetDouble();

// The name the name-entry dialog leaves behind, and what else happens while it is open (a test
// can end the session there).
void ScriptLeaderName(const char* name);
void ScriptNameDialog(void (*action)());
void ScriptCurrentDirectory(const char* directory);
// Whether the display offers the full-screen mode, and whether switching to it works.
void ScriptDisplay(bool hasMode, bool switchWorks);
// FatalError records "Fatal <message>" and throws this, since it must not return.
struct FatalErrorRaised {};
void ScriptUtcTime(int hour, int minute, int second, int milliseconds);
void ScriptLocalDate(int year, int month, int day);
void ScriptAnswer(bool ok); // AskOkCancel records "Ask <caption> | <question>"
// How long one drawing takes on the double's clock, which sleeping moves on as well.
void ScriptDrawingCost(uint32_t milliseconds);
void ChargeDrawingTime();
// The real clock and real sleeps, for the benchmarks; with a tick, sleeps end only on the
// timer's ticks, as Windows' default timer makes them.
void UseRealTime(bool on, uint32_t tickMicroseconds);

// The profile file at the given path, kept in memory by the game's own module: ProfileText is
// its text with LF line ends, "[SECTION]" lines and then "Key=value"; ProfileValue a value as
// the profile reader gives it.
std::string ProfileText(const std::string& path);
void SetProfileValue(const std::string& path, const std::string& section, const std::string& key,
                     const std::string& value);
std::string ProfileValue(const std::string& path, const std::string& section,
                         const std::string& key);
