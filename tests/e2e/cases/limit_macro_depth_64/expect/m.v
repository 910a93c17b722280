// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan
`define D01 1'b1
`define D02 `D01
`define D03 `D02
`define D04 `D03
`define D05 `D04
`define D06 `D05
`define D07 `D06
`define D08 `D07
`define D09 `D08
`define D10 `D09
`define D11 `D10
`define D12 `D11
`define D13 `D12
`define D14 `D13
`define D15 `D14
`define D16 `D15
`define D17 `D16
`define D18 `D17
`define D19 `D18
`define D20 `D19
`define D21 `D20
`define D22 `D21
`define D23 `D22
`define D24 `D23
`define D25 `D24
`define D26 `D25
`define D27 `D26
`define D28 `D27
`define D29 `D28
`define D30 `D29
`define D31 `D30
`define D32 `D31
`define D33 `D32
`define D34 `D33
`define D35 `D34
`define D36 `D35
`define D37 `D36
`define D38 `D37
`define D39 `D38
`define D40 `D39
`define D41 `D40
`define D42 `D41
`define D43 `D42
`define D44 `D43
`define D45 `D44
`define D46 `D45
`define D47 `D46
`define D48 `D47
`define D49 `D48
`define D50 `D49
`define D51 `D50
`define D52 `D51
`define D53 `D52
`define D54 `D53
`define D55 `D54
`define D56 `D55
`define D57 `D56
`define D58 `D57
`define D59 `D58
`define D60 `D59
`define D61 `D60
`define D62 `D61
`define D63 `D62
`define D64 `D63

module m(m_clock, p_reset, x);
   input m_clock;
   input p_reset;
   output x;

   assign x = `D64;
endmodule
