// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan

module m(m_clock, p_reset, a, c, o, eq, lt, k);
   input m_clock;
   input p_reset;
   input [7:0] a;
   input c;
   output [7:0] o;
   output eq;
   output lt;
   output [3:0] k;
   reg [7:0] r;
   reg [3:0] t;
   wire bump;
   wire [5:0] _u_d;
   wire [5:0] _u_q;
   wire _u_load;
   wire _st_run;
   reg _st_on_reg;
   wire _st_on;
   sub u(.m_clock(m_clock), .p_reset(p_reset), .d(_u_d), .q(_u_q), .load(_u_load));

   assign o = ((1'b1)?8'd200:8'b0)|
   (((_st_on))?(a>>2):8'b0);

   assign eq = (a==8'd0);

   assign lt = (8'd10<a);

   assign k = (((c))?4'd15:4'b0);

   always @(posedge m_clock or negedge p_reset) begin
      if (!p_reset) r <= 8'b0;
      else r <= (r+8'd1);
   end

   always @(posedge m_clock or negedge p_reset) begin
      if (!p_reset) t <= 4'b0;
      else if (((a[0]))) t <= 4'd9;
   end

   assign bump = (((c))?1'b1:1'b0);

   assign _u_d = 6'd63;

   assign _u_load = 1'b1;

   assign _st_run = (((a[0]))?1'b1:1'b0);

   always @(posedge m_clock or negedge p_reset) begin
      if (!p_reset) _st_on_reg <= 1'b0;
      else if (((_st_run))) _st_on_reg <= 1'b1;
      else if (((_st_on))) _st_on_reg <= 1'b0;
   end

   assign _st_on = _st_on_reg;
endmodule

module sub(m_clock, p_reset, d, q, load);
   input m_clock;
   input p_reset;
   input [5:0] d;
   output [5:0] q;
   input load;
   reg [5:0] v;

   assign q = v;

   always @(posedge m_clock or negedge p_reset) begin
      if (!p_reset) v <= 6'b111111;
      else if (((load))) v <= (d+6'd0);
   end
endmodule
