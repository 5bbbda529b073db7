#pragma once

// The stake of each bet the balance places; a stake of 0 places no such bet.
struct Stakes {
    double ambata = 1.0;
    double ambo = 1.0;
    double terno = 1.0;
    double quaterna = 1.0;
};
