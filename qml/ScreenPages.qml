// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import Quire

// The page that shows each kind of screen, picked by the screen's type so that a renamed screen
// or page fails the build rather than the navigation.
QtObject {
    id: pages

    // Null, logged, for a screen no page shows: the stack shows blank then, and stays in step.
    function pageFor(screen: QtObject): Component {
        if (screen instanceof ViewController) return pages.start
        if (screen instanceof HomeScreen) return pages.home
        if (screen instanceof SettingScreen) return pages.settings
        if (screen instanceof SelectImageScreen) return pages.picker
        if (screen instanceof AdjustScreen) return pages.adjust
        if (screen instanceof ImageToPDFScreen) return pages.imageToPdf
        if (screen instanceof PDFPreviewScreen) return pages.pdfPreview
        if (screen instanceof PageGridScreen) return pages.pageGrid
        if (screen instanceof PDFToImageScreen) return pages.pdfToImage
        if (screen instanceof ImagePreviewScreen) return pages.imagePreview
        if (screen instanceof ViewImageScreen) return pages.viewImage
        if (screen instanceof ExtractTextScreen) return pages.extractText
        if (screen instanceof TextScreen) return pages.text
        if (screen instanceof CompressImageScreen) return pages.compressImage
        if (screen instanceof CompressImagePreviewScreen) return pages.compressImagePreview
        if (screen instanceof CompressPDFScreen) return pages.compressPdf
        if (screen instanceof CompressPDFPreviewScreen) return pages.compressPdfPreview
        if (screen instanceof ResizeImageScreen) return pages.resizeImage
        if (screen instanceof ResizeImagePreviewScreen) return pages.resizeImagePreview
        console.warn(category, "No page shows", screen)
        return null
    }

    readonly property LoggingCategory category: LoggingCategory {
        name: "quire.ui"
    }
    readonly property Component blank: Component { ScreenPage {} }
    readonly property Component start: Component { ViewControllerPage {} }
    readonly property Component home: Component { HomeScreenPage {} }
    readonly property Component settings: Component { SettingScreenPage {} }
    readonly property Component picker: Component { SelectImageScreenPage {} }
    readonly property Component adjust: Component { AdjustScreenPage {} }
    readonly property Component imageToPdf: Component { ImageToPDFScreenPage {} }
    readonly property Component pdfPreview: Component { PDFPreviewScreenPage {} }
    readonly property Component pageGrid: Component { PageGridScreenPage {} }
    readonly property Component pdfToImage: Component { PDFToImageScreenPage {} }
    readonly property Component imagePreview: Component { ImagePreviewScreenPage {} }
    readonly property Component viewImage: Component { ViewImageScreenPage {} }
    readonly property Component extractText: Component { ExtractTextScreenPage {} }
    readonly property Component text: Component { TextScreenPage {} }
    readonly property Component compressImage: Component { CompressImageScreenPage {} }
    readonly property Component compressImagePreview: Component { CompressImagePreviewScreenPage {} }
    readonly property Component compressPdf: Component { CompressPDFScreenPage {} }
    readonly property Component compressPdfPreview: Component { CompressPDFPreviewScreenPage {} }
    readonly property Component resizeImage: Component { ResizeImageScreenPage {} }
    readonly property Component resizeImagePreview: Component { ResizeImagePreviewScreenPage {} }
}
