#pragma once

class Dialogs;
class RandomSource;
class Navigator;
class Printer;
class Clipboard;
struct Training;

// What every window gets handed: the seams to the toolkit and the program-wide values.
struct Services
{
    Dialogs &dialogs;
    RandomSource &random;
    Navigator &navigator;
    Printer &printer;
    Clipboard &clipboard;
    // Hints on or off and the statistics of the run.
    Training &training;
};
