// The recording test double: it stands in for the platform and for the parts of the program
// that a test does not exercise, and writes every call into one log, in order.
#pragma once

#include <string>
#include <vector>

// Log lines read like the calls: "DrawBall 3 4 2 0", "ClearCell 1 2", "DrawScore 12",
// "DrawNextBalls", "DrawAllBalls", "RedrawScreen 0 1 1", "Sound move.wav 20001",
// "Pause 20", "Dialog 1002", "LeaderQualifies", "InsertLeader".
std::vector<std::string>& CallLog();
void ClearCallLog();
void SetRecording(bool on); // off for long runs that only need the game to go on

// Clears the log and the scripts and brings the settings values back to a first start.
void ResetDouble();

// What LeaderQualifies answers and the name the name-entry dialog leaves behind.
void ScriptLeaderQualifies(bool qualifies);
void ScriptLeaderName(const char* name);
int CountCalls(const std::string& line);
