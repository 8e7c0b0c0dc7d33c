// The gallery's sample data set.
#include "demo/SampleData.h"
#include <stdio.h>

static const RegionMeasurement s_rows[] = {
    {1, 2692, 121.37, 176.06, 27.51, 189.94, 0.938, 50.6, 256.9},
    {2, 347, 127.83, 27.12, 76.22, 103.98, 0.403, 62.1, 204.5},
    {3, 5179, 35.05, 157.86, 164.29, 302.45, 0.711, 254.9, 463.8},
    {4, 1221, 166.58, 88.64, 158.37, 149.64, 0.685, 519.2, 89.9},
    {5, 4527, 164.43, 25.31, 173.59, 268.09, 0.792, 134.8, 324.8},
    {6, 3752, 83.57, 213.53, 61.88, 286.56, 0.574, 445.4, 119.7},
    {7, 3716, 38.15, 40.49, 146.04, 297.24, 0.529, 268.4, 360.9},
    {8, 675, 166.59, 212.58, 224.46, 101.46, 0.824, 202.7, 331.8},
    {9, 806, 141.31, 188.58, 185.68, 104.04, 0.936, 45.9, 348.6},
    {10, 3690, 118.36, 237.61, 186.49, 296.78, 0.526, 223.6, 447.1},
    {11, 1827, 53.50, 199.17, 78.40, 166.69, 0.826, 255.7, 435.9},
    {12, 2316, 229.36, 120.88, 155.96, 180.06, 0.898, 180.4, 200.2},
    {13, 1276, 58.59, 69.26, 183.00, 199.85, 0.401, 152.0, 232.9},
    {14, 3472, 176.52, 154.62, 96.68, 253.03, 0.681, 605.5, 329.5},
    {15, 482, 242.40, 209.10, 189.63, 97.81, 0.633, 507.7, 189.4},
    {16, 549, 73.10, 122.57, 56.54, 121.39, 0.468, 74.3, 287.3},
    {17, 3018, 38.25, 233.35, 68.36, 227.85, 0.731, 391.9, 74.8},
    {18, 1046, 144.10, 129.34, 137.26, 176.59, 0.422, 309.8, 45.4},
    {19, 1362, 72.03, 145.53, 107.98, 159.81, 0.670, 97.4, 260.3},
    {20, 785, 86.22, 142.54, 108.50, 112.34, 0.782, 577.2, 172.2},
    {21, 1867, 221.40, 204.80, 233.20, 179.25, 0.730, 127.9, 117.5},
    {22, 4076, 27.69, 17.96, 217.45, 299.65, 0.570, 181.0, 126.8},
    {23, 2903, 113.34, 30.48, 71.99, 196.78, 0.942, 69.4, 225.9},
    {24, 5039, 142.66, 177.91, 103.78, 269.62, 0.871, 508.8, 44.8},
    {25, 1672, 65.95, 121.72, 217.46, 180.29, 0.646, 405.6, 45.8},
    {26, 735, 63.81, 42.15, 22.83, 107.49, 0.799, 100.2, 430.3},
    {27, 3925, 109.80, 49.73, 155.10, 255.17, 0.758, 350.4, 15.1},
    {28, 1180, 243.21, 59.50, 226.76, 154.78, 0.619, 555.6, 18.2},
    {29, 2710, 127.90, 223.66, 48.82, 258.20, 0.511, 43.4, 352.8},
    {30, 4273, 244.02, 138.44, 48.18, 296.50, 0.611, 340.0, 251.0},
    {31, 72, 58.56, 54.33, 51.52, 32.99, 0.831, 303.3, 345.8},
    {32, 4590, 218.04, 37.10, 158.45, 298.09, 0.649, 40.8, 94.9},
    {33, 268, 36.51, 123.69, 98.45, 64.04, 0.821, 390.9, 242.6},
    {34, 4408, 149.93, 73.92, 193.89, 255.19, 0.851, 334.6, 416.7},
    {35, 1699, 55.67, 116.43, 46.21, 156.58, 0.871, 252.2, 153.5},
    {36, 2520, 249.37, 208.25, 54.14, 194.62, 0.836, 596.9, 307.4},
    {37, 3871, 44.22, 111.71, 139.99, 316.33, 0.486, 107.6, 318.9},
    {38, 3348, 70.34, 101.46, 96.70, 274.03, 0.560, 63.1, 177.0},
    {39, 3188, 179.92, 85.23, 146.88, 268.54, 0.556, 610.3, 58.0},
    {40, 728, 30.42, 209.91, 61.82, 133.33, 0.515, 175.4, 65.9},
};

static const char* const s_titles[SC_COUNT] = {
    "Region", "Area", "Mean red", "Mean green", "Mean blue", "Perimeter", "Circularity", "Centroid X", "Centroid Y",
};

int SampleRowCount()
{
    return (int)(sizeof(s_rows) / sizeof(s_rows[0]));
}

const RegionMeasurement& SampleRow(int nRow)
{
    if (nRow < 0 || nRow >= SampleRowCount())
        nRow = 0;
    return s_rows[nRow];
}

const char* SampleColumnTitle(int nColumn)
{
    return nColumn >= 0 && nColumn < SC_COUNT ? s_titles[nColumn] : "";
}

void SampleCellText(int nRow, int nColumn, char* pszBuffer, int nBufferSize)
{
    if (!pszBuffer || nBufferSize <= 0)
        return;
    pszBuffer[0] = 0;
    if (nRow < 0 || nRow >= SampleRowCount())
        return;
    const RegionMeasurement& r = s_rows[nRow];
    switch (nColumn)
    {
    case SC_REGION: snprintf(pszBuffer, (size_t)nBufferSize, "%d", r.nRegion); break;
    case SC_AREA: snprintf(pszBuffer, (size_t)nBufferSize, "%d", r.nArea); break;
    case SC_RED: snprintf(pszBuffer, (size_t)nBufferSize, "%.2f", r.dMeanRed); break;
    case SC_GREEN: snprintf(pszBuffer, (size_t)nBufferSize, "%.2f", r.dMeanGreen); break;
    case SC_BLUE: snprintf(pszBuffer, (size_t)nBufferSize, "%.2f", r.dMeanBlue); break;
    case SC_PERIMETER: snprintf(pszBuffer, (size_t)nBufferSize, "%.2f", r.dPerimeter); break;
    case SC_CIRCULARITY: snprintf(pszBuffer, (size_t)nBufferSize, "%.3f", r.dCircularity); break;
    case SC_CENTROID_X: snprintf(pszBuffer, (size_t)nBufferSize, "%.1f", r.dCentroidX); break;
    case SC_CENTROID_Y: snprintf(pszBuffer, (size_t)nBufferSize, "%.1f", r.dCentroidY); break;
    default: break;
    }
}
