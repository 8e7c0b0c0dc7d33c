#pragma once
// The gallery's sample data: measurements of segmented regions in an
// image, one row per region, as an image-processing program would list
// them. Any control of the gallery that shows a table shows this one.

struct RegionMeasurement
{
    int nRegion;          // region number, from 1
    int nArea;            // pixels
    double dMeanRed;      // mean colour over the region, 0..255
    double dMeanGreen;
    double dMeanBlue;
    double dPerimeter;    // pixels
    double dCircularity;  // 4 pi area / perimeter^2, 1 for a disc
    double dCentroidX;    // pixels from the image's left edge
    double dCentroidY;    // pixels from the image's top edge
};

// The columns, in the order of the record's fields.
enum SampleColumn
{
    SC_REGION, SC_AREA, SC_RED, SC_GREEN, SC_BLUE, SC_PERIMETER, SC_CIRCULARITY, SC_CENTROID_X,
    SC_CENTROID_Y, SC_COUNT
};

int SampleRowCount();
const RegionMeasurement& SampleRow(int nRow);  // nRow in 0..SampleRowCount()-1
const char* SampleColumnTitle(int nColumn);   // "" outside 0..SC_COUNT-1
// The cell as text ("" for an index outside the table): integers plain,
// colours and lengths with two decimals, circularity with three.
void SampleCellText(int nRow, int nColumn, char* pszBuffer, int nBufferSize);
