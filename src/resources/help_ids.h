#pragma once

// The help contexts the program opens in tamarel_help.chm; the help file's
// context map (help/contexts.txt) names a page for each.
#define IDH_CONTENTS 1
#define IDH_TEMPERATURE 10
#define IDH_CHINESE_CHART 11
