// This file was translated at Sun Dec  6 23:53:48 2026
//  via sflc program written by kurotan
