/* A bare process start, the yardstick for one snapvane-cli process per photo. */
int main(void) { return 0; }
