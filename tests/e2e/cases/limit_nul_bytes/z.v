// This file was translated at Sun Dec  6 19:21:38 2026
//  via sflc program written by kurotan
