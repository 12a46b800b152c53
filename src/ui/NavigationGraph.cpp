// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "NavigationGraph.h"

const std::vector<Transition>& navigationGraph()
{
    static const std::vector<Transition> graph = {
        {"ViewController", "segue_start", "HomeScreen"},
        {"HomeScreen", "segue_selectImage", "SelectImageScreen"},
        {"HomeScreen", "segue_pdfToImage", "PDFToImageScreen"},
        {"HomeScreen", "segue_PDF", "PDFPreviewScreen"},
        {"HomeScreen", "segue_viewImage", "ViewImageScreen"},
        {"HomeScreen", "segue_setting", "SettingScreen"},
        {"SelectImageScreen", "segue_ImageToPDF", "ImageToPDFScreen"},
        {"SelectImageScreen", "segue_compressImage", "CompressImageScreen"},
        {"SelectImageScreen", "segue_resizeImage", "ResizeImageScreen"},
        {"SelectImageScreen", "segue_extractText", "ExtractTextScreen"},
        {"SelectImageScreen", "segue_adjust", "AdjustScreen"},
        {"SelectImageScreen", "segue_compressPDF", "CompressPDFScreen"},
        {"CompressPDFScreen", "segue_previewCompressPDF", "CompressPDFPreviewScreen"},
        {"CompressPDFPreviewScreen", "segue_PDF", "PDFPreviewScreen"},
        {"AdjustScreen", "segue_ImageToPDF", "ImageToPDFScreen"},
        {"AdjustScreen", "segue_extractText", "ExtractTextScreen"},
        {"ImageToPDFScreen", "segue_PDF", "PDFPreviewScreen"},
        {"PDFToImageScreen", "segue_imagePreview", "ImagePreviewScreen"},
        {"ImagePreviewScreen", "segue_viewImage", "ViewImageScreen"},
        {"CompressImageScreen", "segue_previewCompressImage", "CompressImagePreviewScreen"},
        {"CompressImagePreviewScreen", "segue_viewImage", "ViewImageScreen"},
        {"ResizeImageScreen", "segue_previewResizeImage", "ResizeImagePreviewScreen"},
        {"ExtractTextScreen", "segue_text", "TextScreen"},
        {"PDFPreviewScreen", "segue_organise", "PageGridScreen"},
        {"PageGridScreen", "segue_PDF", "PDFPreviewScreen"},
    };
    return graph;
}
