int kvvxScratch() { return 0; }
