#pragma once
// The decisions of the Step 1 dialogs, without their windows.
#include <cstdlib>
#include <string>
#include <vector>

enum class Step1Kind { QuickScan, ExhaustiveScan, DiskImaging, RawRecovery };

struct Step1Texts {
    const char* titleSuffix;   // appended to the product title
    const char* instruction;
    const char* reportLine;
    int activeStep;
    bool imageItems;           // the tree has "Select Image"
};
const Step1Texts& TextsOf(Step1Kind kind);

// Opening a Step 1 dialog: the window title and the owner of the tree.
void EnterStep1(Step1Kind kind);

// Next: checks the choice (showing "Select Logical Drive", "Select Hard Disk"
// or "Select Image" and returning false when there is none), writes the
// Step 1 block of the Activity Report with the rows of the information
// panel, sets the job mode and turns the choice into a disk number or drive
// letter. True: Step 2 follows.
bool Step1Next(Step1Kind kind, const std::vector<std::string>& panelRows);
