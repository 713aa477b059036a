// Boards written as pictures: 81 characters row by row, '.' for an empty cell and '0' to '6'
// for a ball of that colour. Marks read back as '.' (0), 'x' (1) and '-' (-1).
#pragma once

#include <string>

void SetBoardText(const char* text);
std::string BoardText();
std::string MarkText();
// A full board in which no two side or diagonal neighbours share a colour: no shape anywhere.
void FillShapeless();
