/* Resource identifiers shared by Brennick.rc and the C++ sources. */
#ifndef BRENNICK_RESOURCE_H
#define BRENNICK_RESOURCE_H

#define IDI_BRENNICK 1 /* application icon (Brennick.ico) */
#define IDB_TRIAL 101  /* trial banner bitmap (trial.bmp) */

#endif
